#include "platform/ErrorCodes.h"

#include <cerrno>
#include <system_error>

namespace TLPaymentPlugIns::errors {

namespace {
Error Runtime(long number, const char* description) { return Error(number, kRuntimeSource, description); }
}  // namespace

Error InvalidArgument() { return Runtime(kInvalidArgument, "Invalid procedure call or argument"); }
Error Overflow() { return Runtime(kOverflow, "Overflow"); }
Error SubscriptOutOfRange() { return Runtime(kSubscriptOutOfRange, "Subscript out of range"); }
Error TypeMismatch() { return Runtime(kTypeMismatch, "Type mismatch"); }
Error ObjectNotSet() { return Runtime(kObjectNotSet, "Object variable or With block variable not set"); }
Error DuplicateKey() {
  return Runtime(kDuplicateKey, "This key is already associated with an element of this collection");
}
Error InvalidPicture(const std::string& path) {
  return Error(kInvalidPicture, kRuntimeSource, "Invalid picture: " + path);
}
Error NotSupported() { return Runtime(kNotSupported, "Object doesn't support this property or method"); }
Error NotImplemented(const std::string& member) {
  return Error(kNotImplemented, kRuntimeSource, "Object doesn't support this action: " + member);
}
Error QueryInvalid(const std::string& query, const std::string& reason) {
  return Error(kQueryInvalid, kXmlSource, "Query is not valid: " + query + " (" + reason + ")");
}

Error FromErrno(int errnoValue, const std::string& path) {
  Error error = [&] {
    switch (errnoValue) {
      case ENOENT: return Error(kFileNotFound, kRuntimeSource, "File not found: " + path);
      case ENOTDIR: return Error(kPathNotFound, kRuntimeSource, "Path not found: " + path);
      case EACCES:
      case EPERM:
      case EROFS: return Error(kPermissionDenied, kRuntimeSource, "Permission denied: " + path);
      case ENOSPC:
      case EDQUOT: return Error(kDiskFull, kRuntimeSource, "Disk full: " + path);
      case EEXIST: return Error(kFileAlreadyExists, kRuntimeSource, "File already exists: " + path);
      default: return Error(kPathFileAccess, kRuntimeSource, "Path/File access error: " + path);
    }
  }();
  error.At(path).Because(std::generic_category().message(errnoValue));
  return error;
}

}  // namespace TLPaymentPlugIns::errors
