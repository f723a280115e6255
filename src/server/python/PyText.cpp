#include "server/python/PyText.h"

#include "platform/Error.h"
#include "platform/ErrorCodes.h"

namespace py = pybind11;

namespace TLPaymentPlugIns::server {

namespace {

constexpr const char* kSurrogates = "surrogateescape";

[[noreturn]] void RaiseNotUtf8(const char* name) {
  PyErr_Clear();
  throw Error(errors::kInvalidArgument, errors::kRuntimeSource,
              std::string("Invalid procedure call or argument: ") + name + " is not valid UTF-8");
}

}  // namespace

std::string TextArgument(const py::handle& value, const char* name, bool optional) {
  if (value.is_none() && optional) return {};
  py::object text = py::reinterpret_borrow<py::object>(value);
  if (!PyUnicode_Check(text.ptr()) && py::hasattr(text, "__fspath__")) {
    text = py::module_::import("os").attr("fspath")(text);
  }
  if (PyBytes_Check(text.ptr())) {
    py::object decoded = py::reinterpret_steal<py::object>(
        PyUnicode_DecodeUTF8(PyBytes_AS_STRING(text.ptr()), PyBytes_GET_SIZE(text.ptr()), "strict"));
    if (!decoded) RaiseNotUtf8(name);
    text = decoded;
  }
  if (!PyUnicode_Check(text.ptr())) {
    const Error mismatch = errors::TypeMismatch();
    throw Error(mismatch.Number(), mismatch.Source(), mismatch.Description() + ": " + name + " must be a str");
  }
  Py_ssize_t size = 0;
  const char* utf8 = PyUnicode_AsUTF8AndSize(text.ptr(), &size);
  if (utf8 == nullptr) RaiseNotUtf8(name);
  return std::string(utf8, static_cast<std::size_t>(size));
}

py::str ContentsToPython(const std::string& bytes) {
  PyObject* text = PyUnicode_DecodeUTF8(bytes.data(), static_cast<Py_ssize_t>(bytes.size()), kSurrogates);
  if (text == nullptr) throw py::error_already_set();
  return py::reinterpret_steal<py::str>(text);
}

std::string ContentsFromPython(const py::handle& value) {
  if (PyBytes_Check(value.ptr())) return std::string(PyBytes_AS_STRING(value.ptr()), PyBytes_GET_SIZE(value.ptr()));
  py::object encoded = py::reinterpret_steal<py::object>(PyUnicode_AsEncodedString(value.ptr(), "utf-8", kSurrogates));
  if (!encoded) throw py::error_already_set();
  return std::string(PyBytes_AS_STRING(encoded.ptr()), PyBytes_GET_SIZE(encoded.ptr()));
}

}  // namespace TLPaymentPlugIns::server
