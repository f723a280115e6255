#include "platform/MessageBox.h"

#include <cstdio>

namespace TLPaymentPlugIns {

namespace {
// The one presenter of the process; empty means standard error.
MessageBox::Presenter& CurrentPresenter() {
  static MessageBox::Presenter presenter;
  return presenter;
}
}  // namespace

void MessageBox::Show(const std::string& text, const std::string& title) {
  if (const auto& presenter = CurrentPresenter()) {
    presenter(text, title);
    return;
  }
  std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
}

MessageBox::Presenter MessageBox::SetPresenter(Presenter presenter) {
  auto previous = std::move(CurrentPresenter());
  CurrentPresenter() = std::move(presenter);
  return previous;
}

}  // namespace TLPaymentPlugIns
