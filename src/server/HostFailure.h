#pragma once

#include <string>

#include "platform/Error.h"

// Failures of a host's staging object, as numbered errors.
namespace TLPaymentPlugIns::server {

// A host object raised an error without a number of its own.
inline constexpr long kAutomationError = 440;
inline constexpr const char* kHostSource = "StageObject";

// The host's failure as the library raises it: a number of 0 becomes 440
// "Automation error", an empty source the staging object's, an empty
// description the number's generic text.
Error HostFailure(long number, std::string source, std::string description);

}  // namespace TLPaymentPlugIns::server
