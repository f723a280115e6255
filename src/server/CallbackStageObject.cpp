#include "server/CallbackStageObject.h"

#include <cstring>

#include "platform/ErrorCodes.h"
#include "server/HostFailure.h"

namespace TLPaymentPlugIns::server {

namespace {

// The record a callback filled, read defensively: the host may have left
// its texts unterminated.
[[noreturn]] void RaiseHostFailure(tlpp_error& error) {
  error.source[sizeof error.source - 1] = '\0';
  error.description[sizeof error.description - 1] = '\0';
  throw HostFailure(error.number, error.source, error.description);
}

tlpp_error EmptyRecord() {
  tlpp_error error;
  std::memset(&error, 0, sizeof error);
  return error;
}

}  // namespace

void CallbackStageObject::ParseSnippet(std::string& text, int16_t mode) {
  if (mCallbacks.ParseSnippet == nullptr) throw errors::NotSupported();
  tlpp_error error = EmptyRecord();
  if (mCallbacks.ParseSnippet(mCallbacks.user_data, text.c_str(), text.size(), mode, &error) != TLPP_OK) {
    RaiseHostFailure(error);
  }
}

std::string CallbackStageObject::PCode() {
  if (mCallbacks.PCode == nullptr) throw errors::NotSupported();
  tlpp_error error = EmptyRecord();
  const char* text = nullptr;
  std::size_t length = TLPP_NUL_TERMINATED;
  if (mCallbacks.PCode(mCallbacks.user_data, &text, &length, &error) != TLPP_OK) RaiseHostFailure(error);
  if (text == nullptr) return {};
  return length == TLPP_NUL_TERMINATED ? std::string(text) : std::string(text, length);
}

}  // namespace TLPaymentPlugIns::server
