// The UTF-8 check that guards every text a host hands in.
#include <gtest/gtest.h>

#include <string>

#include "server/Utf8.h"

using TLPaymentPlugIns::server::IsUtf8;

TEST(ServerUtf8, AcceptsEveryPlaneAndRefusesWhatIsNotUtf8) {
  EXPECT_TRUE(IsUtf8(""));
  EXPECT_TRUE(IsUtf8("Zahlungsziel \xC3\xA4 \xE2\x82\xAC \xF0\x9F\x92\xB3 \xF4\x8F\xBF\xBF"));
  for (const std::string bad : {
           "\xE9t\xE9",         // ISO-8859-1
           "\xC0\xAF",          // overlong '/'
           "\xE0\x80\xAF",      // overlong, three bytes
           "\xED\xA0\x80",      // a surrogate
           "\xF4\x90\x80\x80",  // above U+10FFFF
           "\xE2\x82",          // cut short at the end
           "\xE2\x82x",         // cut short in the middle
           "\x80",              // a lone continuation byte
       }) {
    EXPECT_FALSE(IsUtf8(bad)) << testing::PrintToString(bad);
  }
  EXPECT_FALSE(IsUtf8(std::string_view("\xE2\x82\xAC", 2)));  // nothing is read past the end
}
