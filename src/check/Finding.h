#pragma once

#include <string>

namespace TLPaymentPlugIns {

// One thing that would break, or may surprise, a published shop.
struct Finding {
  enum class Severity { Warning, Error };

  std::string plugInId;
  // A store language, or "*" when it holds for every language.
  std::string language;
  Severity severity = Severity::Warning;
  // What kind of finding it is, one stable word per sentence
  // ("missing-file"), for hosts that filter or count findings.
  std::string code;
  std::string message;

  // "warning" or "error".
  const char* SeverityName() const { return severity == Severity::Error ? "error" : "warning"; }
  // The finding as one tab-separated line: ID, language, severity, code,
  // message.
  std::string Line() const {
    return plugInId + '\t' + language + '\t' + SeverityName() + '\t' + code + '\t' + message + '\n';
  }
};

}  // namespace TLPaymentPlugIns
