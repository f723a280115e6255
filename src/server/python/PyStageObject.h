#pragma once

#include <pybind11/pybind11.h>

#include <cstdint>
#include <string>

#include "staging/StageObject.h"

namespace TLPaymentPlugIns::server {

// A Python object as the host's staging object. Its ParseSnippet(text,
// mode) and PCode (a property or an argument-less method) are looked up by
// name at each call; a missing one raises 438, and a Python exception
// becomes a numbered error (a tlpaymentplugins.Error keeps its own number,
// source and description). Texts go to Python as str, decoded as UTF-8 with
// undecodable bytes kept as surrogate escapes, so any file comes back
// unchanged; PCode may answer str or bytes.
class PyStageObject : public StageObject {
 public:
  explicit PyStageObject(pybind11::object host) : mHost(std::move(host)) {}

  void ParseSnippet(std::string& text, int16_t mode) override;
  std::string PCode() override;

 private:
  pybind11::object Member(const char* name) const;

  pybind11::object mHost;
};

}  // namespace TLPaymentPlugIns::server
