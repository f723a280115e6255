#pragma once

#include <cstdint>
#include <string>

namespace TLPaymentPlugIns {

// The host's staging object. For each text to render the library calls
// ParseSnippet(text, 1) and then PCode(), in that order, never one without
// the other, and keeps no reference afterwards. Mode 1 means: render for
// publishing. Either call may throw; each caller says what then happens.
class StageObject {
 public:
  virtual ~StageObject() = default;
  virtual void ParseSnippet(std::string& text, int16_t mode) = 0;
  virtual std::string PCode() = 0;
};

}  // namespace TLPaymentPlugIns
