#include "platform/SelectionPattern.h"

namespace TLPaymentPlugIns {

std::string ToXPath(const std::string& pattern) {
  std::string out;
  out.reserve(pattern.size() + 8);
  char quote = 0;  // the quote that opened the literal we are in, or 0
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
      out += c;
    } else if (c == '\'' || c == '"') {
      quote = c;
      out += c;
    } else if (c == '&' && i + 1 < pattern.size() && pattern[i + 1] == '&') {
      out += " and ";
      ++i;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace TLPaymentPlugIns
