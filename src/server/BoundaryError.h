#pragma once

#include <string>

#include "platform/Error.h"

namespace TLPaymentPlugIns::server {

// A numbered error that the C interface raises itself, before or instead of
// a member, with the status it reports (a bad handle or argument).
class BoundaryError : public Error {
 public:
  BoundaryError(int status, long number, std::string description);

  int Status() const noexcept { return mStatus; }

 private:
  int mStatus;
};

}  // namespace TLPaymentPlugIns::server
