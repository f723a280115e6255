#include "staging/ParameterString.h"

#include <string_view>

#include "platform/ErrorCodes.h"

namespace TLPaymentPlugIns {

namespace {

// Character positions count from 1; 0 means "not found".
using Position = long;

// The position of the first what in text at or after start; 0 when none.
Position InStr(Position start, const std::string& text, std::string_view what) {
  if (start < 1 || start > static_cast<Position>(text.size())) return 0;
  const std::size_t found = text.find(what, static_cast<std::size_t>(start - 1));
  return found == std::string::npos ? 0 : static_cast<Position>(found) + 1;
}

// length characters of text from start; a negative length raises 5.
std::string Mid(const std::string& text, Position start, Position length) {
  if (start < 1 || length < 0) throw errors::InvalidArgument();
  if (start > static_cast<Position>(text.size())) return {};
  return text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(length));
}

// Lower case letter by letter, so that positions stay where they were.
std::string LowerKeepingPositions(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

}  // namespace

std::string ParameterString::Attribute(const std::string& strParam, const std::string& AttributeName) {
  try {
    // Find " name=" without regard to case.
    const Position start = InStr(1, LowerKeepingPositions(strParam), LowerKeepingPositions(" " + AttributeName + "="));
    if (start == 0) return {};
    // The value runs from after =" to the next double quote.
    const Position e = InStr(start, strParam, "=\"");
    const Position q = InStr(e + 2, strParam, "\"");
    // With no closing quote the length is negative, and the answer "".
    return Mid(strParam, e + 2, q - e - 2);
  } catch (...) {
    return {};
  }
}

}  // namespace TLPaymentPlugIns
