#pragma once

#include <string>
#include <vector>

#include "platform/Error.h"
#include "staging/StageObject.h"

namespace testing_support {

// A host staging object that writes down every call, in order, as
// "ParseSnippet(<text>,<mode>)" and "PCode". PCode renders the last text as
// "[<text>]". Either call throws a numbered error when its text contains
// the marker set for it; a failed ParseSnippet leaves PCode on the text
// before.
class RecordingStageObject : public TLPaymentPlugIns::StageObject {
 public:
  static constexpr long kHostError = 4242;

  void ParseSnippet(std::string& text, int16_t mode) override {
    calls.push_back("ParseSnippet(" + text + "," + std::to_string(mode) + ")");
    // A failed call keeps the previous text, as a careless host would.
    if (!failParseOn.empty() && text.find(failParseOn) != std::string::npos) Fail("ParseSnippet");
    mLast = text;
    text = "changed by the host";
  }

  std::string PCode() override {
    calls.push_back("PCode");
    if (!failPCodeOn.empty() && mLast.find(failPCodeOn) != std::string::npos) Fail("PCode");
    return "[" + mLast + "]";
  }

  std::vector<std::string> calls;
  std::string failParseOn;
  std::string failPCodeOn;

 private:
  [[noreturn]] static void Fail(const std::string& member) {
    throw TLPaymentPlugIns::Error(kHostError, "Host", member + " failed");
  }

  std::string mLast;
};

}  // namespace testing_support
