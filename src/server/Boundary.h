#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "platform/Error.h"

#include "server/ServerObject.h"
#include "server/tlpaymentplugins.h"

// What every call of the C interface does at the boundary: find the object
// behind a handle, take texts in, hand strings out, and turn what a member
// raises into a status and the caller's error record.
namespace TLPaymentPlugIns::server {

// Runs body; returns TLPP_OK, or the status of what it raised with the
// error record filled. Nothing escapes.
template <typename Body>
int Call(tlpp_error* error, Body&& body) noexcept;
// The same, with where filled too (both may be NULL).
template <typename Body>
int Call(tlpp_error* error, tlpp_error_where* where, Body&& body) noexcept;

void ClearError(tlpp_error* error, tlpp_error_where* where = nullptr) noexcept;
// Fills the records from the exception in flight and returns its status.
int FailFromCurrentException(tlpp_error* error, tlpp_error_where* where = nullptr) noexcept;
// Fills the records from a numbered error.
void FillError(tlpp_error* error, tlpp_error_where* where, const Error& failure) noexcept;

// The live object behind handle, of the class the member belongs to.
// Raises 91 for a null or dead handle, 438 for another class.
std::shared_ptr<ServerObject> Object(tlpp_object* handle, ServerObject::Class kind);
tlpp_object* ToHandle(std::uintptr_t handle) noexcept;

// A text from the host: NULL is "" when optional, else refused; anything
// that is not UTF-8 is refused. name says which argument, for the message.
std::string In(const char* text, const char* name, bool optional = false);
// Checks an output pointer and sets it to its failure value.
template <typename T>
T* Out(T* pointer, const char* name, T empty);

// A copy of value for the host, to be freed with tlpp_FreeString.
char* NewString(const std::string& value);

// ---- templates -----------------------------------------------------------

[[noreturn]] void RefuseNullOutput(const char* name);

template <typename Body>
int Call(tlpp_error* error, Body&& body) noexcept {
  return Call(error, nullptr, std::forward<Body>(body));
}

template <typename Body>
int Call(tlpp_error* error, tlpp_error_where* where, Body&& body) noexcept {
  ClearError(error, where);
  try {
    body();
    return TLPP_OK;
  } catch (...) {
    return FailFromCurrentException(error, where);
  }
}

template <typename T>
T* Out(T* pointer, const char* name, T empty) {
  if (pointer == nullptr) RefuseNullOutput(name);
  *pointer = empty;
  return pointer;
}

}  // namespace TLPaymentPlugIns::server
