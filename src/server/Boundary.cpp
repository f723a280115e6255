#include "server/Boundary.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <string_view>

#include "platform/ErrorCodes.h"
#include "server/BoundaryError.h"
#include "server/ObjectRegistry.h"
#include "server/Utf8.h"

namespace TLPaymentPlugIns::server {

namespace {

constexpr long kOutOfMemory = 7;
constexpr long kInternalError = 51;

template <std::size_t N>
void CopyField(char (&field)[N], std::string_view text) noexcept {
  const std::string_view cut = CutUtf8(text, N - 1);
  std::memcpy(field, cut.data(), cut.size());
  field[cut.size()] = '\0';
}

void Fill(tlpp_error* error, long number, std::string_view source, std::string_view description) noexcept {
  if (error == nullptr) return;
  error->number = static_cast<int32_t>(number);
  CopyField(error->source, source);
  CopyField(error->description, description);
}

void FillWhere(tlpp_error_where* where, std::string_view path, long line, long column,
               std::string_view reason) noexcept {
  if (where == nullptr) return;
  CopyField(where->path, path);
  where->line = static_cast<int32_t>(line);
  where->column = static_cast<int32_t>(column);
  CopyField(where->reason, reason);
}

}  // namespace

void ClearError(tlpp_error* error, tlpp_error_where* where) noexcept {
  Fill(error, 0, "", "");
  FillWhere(where, "", 0, 0, "");
}

void FillError(tlpp_error* error, tlpp_error_where* where, const Error& failure) noexcept {
  Fill(error, failure.Number(), failure.Source(), failure.Description());
  FillWhere(where, failure.Path(), failure.Line(), failure.Column(), failure.Reason());
}

int FailFromCurrentException(tlpp_error* error, tlpp_error_where* where) noexcept {
  try {
    throw;
  } catch (const BoundaryError& failure) {
    FillError(error, where, failure);
    return failure.Status();
  } catch (const Error& failure) {
    FillError(error, where, failure);
    return TLPP_E_ERROR;
  } catch (const std::bad_alloc&) {
    Fill(error, kOutOfMemory, errors::kRuntimeSource, "Out of memory");
    return TLPP_E_MEMORY;
  } catch (const std::exception& failure) {
    Fill(error, kInternalError, errors::kRuntimeSource, std::string("Internal error: ") + failure.what());
    return TLPP_E_ERROR;
  } catch (...) {
    Fill(error, kInternalError, errors::kRuntimeSource, "Internal error");
    return TLPP_E_ERROR;
  }
}

std::shared_ptr<ServerObject> Object(tlpp_object* handle, ServerObject::Class kind) {
  if (handle == nullptr) {
    throw BoundaryError(TLPP_E_HANDLE, errors::kObjectNotSet, "Object variable or With block variable not set");
  }
  auto object = ObjectRegistry::Instance().Find(reinterpret_cast<std::uintptr_t>(handle));
  if (!object) {
    throw BoundaryError(TLPP_E_HANDLE, errors::kObjectNotSet,
                        "Object variable or With block variable not set: the handle is released or unknown");
  }
  if (object->kind != kind) {
    const Error notSupported = errors::NotSupported();
    throw BoundaryError(TLPP_E_HANDLE, notSupported.Number(), notSupported.Description());
  }
  return object;
}

tlpp_object* ToHandle(std::uintptr_t handle) noexcept { return reinterpret_cast<tlpp_object*>(handle); }

std::string In(const char* text, const char* name, bool optional) {
  if (text == nullptr) {
    if (optional) return {};
    throw BoundaryError(TLPP_E_ARGUMENT, errors::kInvalidArgument,
                        std::string("Invalid procedure call or argument: ") + name + " is NULL");
  }
  std::string value(text);
  if (!IsUtf8(value)) {
    throw BoundaryError(TLPP_E_ARGUMENT, errors::kInvalidArgument,
                        std::string("Invalid procedure call or argument: ") + name + " is not valid UTF-8");
  }
  return value;
}

void RefuseNullOutput(const char* name) {
  throw BoundaryError(TLPP_E_ARGUMENT, errors::kInvalidArgument,
                      std::string("Invalid procedure call or argument: ") + name + " is NULL");
}

char* NewString(const std::string& value) {
  auto* copy = static_cast<char*>(std::malloc(value.size() + 1));
  if (copy == nullptr) throw std::bad_alloc();
  std::memcpy(copy, value.data(), value.size());
  copy[value.size()] = '\0';
  return copy;
}

}  // namespace TLPaymentPlugIns::server
