#pragma once

#include <pybind11/pybind11.h>

#include <string>

// Texts between Python and the library.
namespace TLPaymentPlugIns::server {

// A text argument from Python: a str (or a path-like object) as UTF-8. None
// is "" when the argument is optional. Anything else raises 13; a str that
// cannot be UTF-8 (lone surrogates) raises 5.
std::string TextArgument(const pybind11::handle& value, const char* name, bool optional = false);

// File contents as str: UTF-8, with other bytes kept as surrogate escapes.
pybind11::str ContentsToPython(const std::string& bytes);
// Back again: a str encoded the same way, or bytes as they are.
std::string ContentsFromPython(const pybind11::handle& value);

}  // namespace TLPaymentPlugIns::server
