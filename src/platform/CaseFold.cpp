#include "platform/CaseFold.h"

#include <unicode/locid.h>
#include <unicode/unistr.h>

namespace TLPaymentPlugIns {

namespace {
bool IsAscii(const std::string& text) {
  for (const unsigned char c : text) {
    if (c >= 0x80) return false;
  }
  return true;
}
std::string AsciiLower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}
}  // namespace

std::string CaseFold::Fold(const std::string& utf8) {
  if (IsAscii(utf8)) return AsciiLower(utf8);
  std::string out;
  icu::UnicodeString::fromUTF8(utf8).foldCase().toUTF8String(out);
  return out;
}

std::string CaseFold::Lower(const std::string& utf8) {
  if (IsAscii(utf8)) return AsciiLower(utf8);
  std::string out;
  icu::UnicodeString::fromUTF8(utf8).toLower(icu::Locale::getRoot()).toUTF8String(out);
  return out;
}

}  // namespace TLPaymentPlugIns
