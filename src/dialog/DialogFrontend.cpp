#include "dialog/DialogFrontend.h"

#include "dialog/frmPlugIn.h"

namespace TLPaymentPlugIns {

namespace {
std::shared_ptr<DialogFrontend>& Slot() {
  static std::shared_ptr<DialogFrontend> frontend;
  return frontend;
}
}  // namespace

std::shared_ptr<DialogFrontend> DialogFrontend::Install(std::shared_ptr<DialogFrontend> frontend) {
  auto previous = std::move(Slot());
  Slot() = std::move(frontend);
  return previous;
}

std::shared_ptr<DialogFrontend> DialogFrontend::Installed() { return Slot(); }

bool DialogFrontend::ClosedByOk(const frmPlugIn& form) { return form.ClosedByOk(); }

}  // namespace TLPaymentPlugIns
