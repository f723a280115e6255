#pragma once

#include <string>
#include <vector>

#include "platform/MessageBox.h"

namespace testing_support {

// Collects message boxes ("title: text") instead of showing them, for the
// life of the object; the previous presenter comes back afterwards.
class MessageCapture {
 public:
  MessageCapture()
      : mPrevious(TLPaymentPlugIns::MessageBox::SetPresenter(
            [this](const std::string& text, const std::string& title) { shown.push_back(title + ": " + text); })) {}
  ~MessageCapture() { TLPaymentPlugIns::MessageBox::SetPresenter(std::move(mPrevious)); }
  MessageCapture(const MessageCapture&) = delete;
  MessageCapture& operator=(const MessageCapture&) = delete;

  std::vector<std::string> shown;

 private:
  TLPaymentPlugIns::MessageBox::Presenter mPrevious;
};

}  // namespace testing_support
