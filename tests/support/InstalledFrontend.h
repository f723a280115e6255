#pragma once

#include <memory>

#include "dialog/DialogFrontend.h"

namespace testing_support {

// Installs a frontend for the life of the object, then puts back the one
// before.
class InstalledFrontend {
 public:
  explicit InstalledFrontend(std::shared_ptr<TLPaymentPlugIns::DialogFrontend> frontend)
      : mPrevious(TLPaymentPlugIns::DialogFrontend::Install(std::move(frontend))) {}
  ~InstalledFrontend() { TLPaymentPlugIns::DialogFrontend::Install(mPrevious); }
  InstalledFrontend(const InstalledFrontend&) = delete;
  InstalledFrontend& operator=(const InstalledFrontend&) = delete;

 private:
  std::shared_ptr<TLPaymentPlugIns::DialogFrontend> mPrevious;
};

}  // namespace testing_support
