#pragma once

#include <cstdint>
#include <string>

#include "server/tlpaymentplugins.h"
#include "staging/StageObject.h"

namespace TLPaymentPlugIns::server {

// The host's staging object of the C interface: its two callbacks. A
// callback's failure, and a callback the host left NULL (438), are raised
// as numbered errors for the member that called it to deal with.
class CallbackStageObject : public StageObject {
 public:
  explicit CallbackStageObject(const tlpp_stage_object& callbacks) : mCallbacks(callbacks) {}

  void ParseSnippet(std::string& text, int16_t mode) override;
  std::string PCode() override;

 private:
  tlpp_stage_object mCallbacks;
};

}  // namespace TLPaymentPlugIns::server
