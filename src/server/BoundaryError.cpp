#include "server/BoundaryError.h"

#include <utility>

#include "platform/ErrorCodes.h"

namespace TLPaymentPlugIns::server {

BoundaryError::BoundaryError(int status, long number, std::string description)
    : Error(number, errors::kRuntimeSource, std::move(description)), mStatus(status) {}

}  // namespace TLPaymentPlugIns::server
