#include "server/python/PyStageObject.h"

#include "platform/Error.h"
#include "platform/ErrorCodes.h"
#include "server/HostFailure.h"
#include "server/python/PyText.h"

namespace py = pybind11;

namespace TLPaymentPlugIns::server {

namespace {

// A Python exception raised by the host's object, as a numbered error.
Error FromPython(py::error_already_set& raised) {
  const py::object errorType = py::module_::import("tlpaymentplugins").attr("Error");
  if (raised.matches(errorType)) {
    const py::object& value = raised.value();
    return HostFailure(value.attr("number").cast<long>(), py::str(value.attr("source")).cast<std::string>(),
                       py::str(value.attr("description")).cast<std::string>());
  }
  const std::string type = py::str(raised.type().attr("__name__")).cast<std::string>();
  const std::string message = py::str(raised.value()).cast<std::string>();
  return HostFailure(kAutomationError, type, message.empty() ? type : message);
}

// Runs a call on the host's object; its Python exception is raised as a
// numbered error.
template <typename Body>
auto OnHost(Body&& body) -> decltype(body()) {
  try {
    return body();
  } catch (py::error_already_set& raised) {
    throw FromPython(raised);
  }
}

}  // namespace

py::object PyStageObject::Member(const char* name) const {
  PyObject* member = PyObject_GetAttrString(mHost.ptr(), name);
  if (member == nullptr) {
    if (PyErr_ExceptionMatches(PyExc_AttributeError)) {
      PyErr_Clear();
      throw errors::NotSupported();
    }
    throw py::error_already_set();
  }
  return py::reinterpret_steal<py::object>(member);
}

void PyStageObject::ParseSnippet(std::string& text, int16_t mode) {
  OnHost([&] { Member("ParseSnippet")(ContentsToPython(text), mode); });
}

std::string PyStageObject::PCode() {
  return OnHost([&] {
    py::object code = Member("PCode");
    if (PyCallable_Check(code.ptr())) code = code();
    if (code.is_none()) return std::string();
    if (PyBytes_Check(code.ptr()) || PyUnicode_Check(code.ptr())) return ContentsFromPython(code);
    return py::str(code).cast<std::string>();
  });
}

}  // namespace TLPaymentPlugIns::server
