#pragma once

#include <string>

#include "platform/Error.h"

// Every numbered error the library raises, with its number, source and
// description defined once.
namespace TLPaymentPlugIns::errors {

// Source of the runtime's own errors and of the plug-in object's errors.
inline constexpr const char* kRuntimeSource = "TLPaymentPlugIns";
inline constexpr const char* kPlugInSource = "TLPaymentPlugIns.PlugIn";
inline constexpr const char* kXmlSource = "TLPaymentPlugIns.XmlDocument";

// The plug-in object's own errors.
inline constexpr long kConfigMalformed = 100991;
inline constexpr long kConfigPathNotPresentOnLoad = 100992;
inline constexpr long kConfigFileNotPresent = 100993;
inline constexpr long kConfigPathNotPresentOnSave = 100994;
// No frontend is installed that can show the configuration dialog now.
inline constexpr long kDialogUnavailable = 100995;
// Another writer held a plug-in folder's lock for longer than the caller
// would wait.
inline constexpr long kPlugInLocked = 100996;

// The runtime's errors.
inline constexpr long kInvalidArgument = 5;
inline constexpr long kOverflow = 6;
inline constexpr long kSubscriptOutOfRange = 9;
inline constexpr long kTypeMismatch = 13;
inline constexpr long kFileNotFound = 53;
inline constexpr long kFileAlreadyExists = 58;
inline constexpr long kDiskFull = 61;
inline constexpr long kPermissionDenied = 70;
inline constexpr long kPathFileAccess = 75;
inline constexpr long kPathNotFound = 76;
inline constexpr long kObjectNotSet = 91;
inline constexpr long kDuplicateKey = 457;
inline constexpr long kInvalidPicture = 481;
inline constexpr long kNotSupported = 438;
inline constexpr long kNotImplemented = 445;
// A selection query the document library cannot read (E_FAIL).
inline constexpr long kQueryInvalid = -2147467259L;

Error ConfigMalformed();
Error ConfigPathNotPresentOnLoad();
Error ConfigFileNotPresent();
Error ConfigPathNotPresentOnSave();
Error DialogUnavailable(const std::string& reason);
Error PlugInLocked(const std::string& folder, double waitedSeconds);

Error InvalidArgument();
Error Overflow();
Error SubscriptOutOfRange();
Error TypeMismatch();
Error ObjectNotSet();
Error DuplicateKey();
Error InvalidPicture(const std::string& path);
Error NotSupported();
Error NotImplemented(const std::string& member);
Error QueryInvalid(const std::string& query, const std::string& reason);

// A failed file-system call, from the C library's error number.
Error FromErrno(int errnoValue, const std::string& path);

}  // namespace TLPaymentPlugIns::errors
