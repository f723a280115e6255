#include "server/HostFailure.h"

#include <utility>

namespace TLPaymentPlugIns::server {

Error HostFailure(long number, std::string source, std::string description) {
  if (number == 0) number = kAutomationError;
  if (source.empty()) source = kHostSource;
  if (description.empty()) {
    description = number == kAutomationError ? "Automation error" : "The staging object failed";
  }
  return Error(number, std::move(source), std::move(description));
}

}  // namespace TLPaymentPlugIns::server
