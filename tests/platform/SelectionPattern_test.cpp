#include "platform/SelectionPattern.h"

#include <gtest/gtest.h>

using TLPaymentPlugIns::ToXPath;

TEST(SelectionPattern, RewritesLegacyAndOutsideLiteralsOnly) {
  EXPECT_EQ(ToXPath("//*[@name='a'&&@lang='de']"), "//*[@name='a' and @lang='de']");
  EXPECT_EQ(ToXPath("//*[@name='a&&b']"), "//*[@name='a&&b']");
  EXPECT_EQ(ToXPath("//*[@name=\"it's&&\"&&@x='\"']"), "//*[@name=\"it's&&\" and @x='\"']");
  EXPECT_EQ(ToXPath("a&&&b"), "a and &b");
  // An unterminated literal keeps everything after it.
  EXPECT_EQ(ToXPath("//*[@name='it's'&&@lang='de']"), "//*[@name='it's'&&@lang='de']");
}
