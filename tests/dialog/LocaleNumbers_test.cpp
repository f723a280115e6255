#include "dialog/LocaleNumbers.h"

#include <gtest/gtest.h>

#include <functional>

#include "dialog/frmPlugIn.h"
#include "platform/Error.h"
#include "support/Raises.h"
#include "support/ScopedLocale.h"

using TLPaymentPlugIns::Currency;
using TLPaymentPlugIns::Error;
using TLPaymentPlugIns::frmPlugIn;
using TLPaymentPlugIns::LocaleNumbers;
using TLPaymentPlugIns::Variant;
using testing_support::ScopedLocale;

namespace {

Currency Amount(const char* text) { return LocaleNumbers::ToCurrency(text); }

}  // namespace

TEST(LocaleNumbers, IntegersRoundHalfToEvenAndReadTheLocalesSeparators) {
  const ScopedLocale german("de_DE.UTF-8");
  EXPECT_EQ(LocaleNumbers::ToInteger(Variant("12,5")), 12);
  EXPECT_EQ(LocaleNumbers::ToInteger(Variant("13,5")), 14);
  EXPECT_EQ(LocaleNumbers::ToInteger(Variant("12,7")), 13);
  EXPECT_EQ(LocaleNumbers::ToInteger(Variant("-2,5")), -2);
  EXPECT_EQ(LocaleNumbers::ToInteger(Variant(" 1.234 ")), 1234);
  EXPECT_EQ(LocaleNumbers::ToInteger(Variant("32767,4")), 32767);
  EXPECT_EQ(LocaleNumbers::ToInteger(Variant("-32768,5")), -32768);
  EXPECT_EQ(LocaleNumbers::ToInteger(Variant(Amount("2,5"))), 2);
  EXPECT_EQ(LocaleNumbers::ToInteger(Variant()), 0);
}

TEST(LocaleNumbers, IntegerFailuresAreTypeMismatchOrOverflow) {
  const ScopedLocale german("de_DE");
  // A group separator counts only after a digit.
  for (const char* text : {"abc", "", "  ", "12x", "1,2,3,x", ".5"}) {
    EXPECT_TRUE(testing_support::Raises(13, [&] { LocaleNumbers::ToInteger(Variant(text)); })) << text;
  }
  for (const char* text : {"99999", "32767,5", "-32769", "1e400"}) {
    EXPECT_TRUE(testing_support::Raises(6, [&] { LocaleNumbers::ToInteger(Variant(text)); })) << text;
  }
}

TEST(LocaleNumbers, AmountsKeepFourDecimalsAndTheirTextUsesTheLocale) {
  {
    const ScopedLocale german("de_DE.UTF-8");
    EXPECT_EQ(Amount("1.234,56").Scaled(), 12345600);
    EXPECT_EQ(Amount("2.50").Scaled(), 2500000);  // grouping read wherever it stands
    EXPECT_EQ(Amount("0,00005").Scaled(), 0);
    EXPECT_EQ(Amount("0,00015").Scaled(), 2);
    EXPECT_EQ(LocaleNumbers::ToText(Variant(Amount("1.234.567,5"))), "1234567,5");
    EXPECT_EQ(LocaleNumbers::ToText(Variant(Amount("-0,25"))), "-0,25");
    EXPECT_EQ(LocaleNumbers::ToText(Variant(Amount("922.337.203.685.477,5807"))), "922337203685477,5807");
    EXPECT_TRUE(testing_support::Raises(6, [] { Amount("922.337.203.685.477,5808"); }));
    EXPECT_TRUE(testing_support::Raises(13, [] { Amount(","); }));
  }
  const ScopedLocale english("en_US.UTF-8");
  EXPECT_EQ(LocaleNumbers::ToText(Variant(Amount("1,234.5"))), "1234.5");
  EXPECT_EQ(LocaleNumbers::ToText(Variant(Amount("10"))), "10");
}

// Found by fuzzing: a tiny power of ten was padded out digit by digit
// (hundreds of megabytes for 5e-322767767), and a power beyond int was
// read with atoi.
TEST(LocaleNumbers, PowersOfTenFarOutOfRangeGiveZeroOrOverflowAtOnce) {
  const ScopedLocale german("de_DE.UTF-8");
  for (const char* tiny : {"5e-322767767", "9,9e-2147483648", "1e-99999999999999999999"}) {
    EXPECT_EQ(Amount(tiny).Scaled(), 0) << tiny;
  }
  EXPECT_EQ(Amount("5e-5").Scaled(), 0);
  EXPECT_EQ(Amount("6e-5").Scaled(), 1);
  for (const char* huge : {"1e2147483647", "1e99999999999999999999"}) {
    EXPECT_TRUE(testing_support::Raises(6, [&] { Amount(huge); })) << huge;
  }
  EXPECT_EQ(Amount("0e2147483647").Scaled(), 0);
}

TEST(LocaleNumbers, TheLocaleComesFromLcAllThenLcNumericThenLang) {
  const ScopedLocale english("en_US.UTF-8");
  setenv("LC_ALL", "fr_CH.UTF-8", 1);
  EXPECT_EQ(LocaleNumbers::UserLocaleName(), "fr_CH");
  unsetenv("LC_ALL");
  setenv("LC_NUMERIC", "de_AT.UTF-8@euro", 1);
  EXPECT_EQ(LocaleNumbers::UserLocaleName(), "de_AT");
  unsetenv("LC_NUMERIC");
  EXPECT_EQ(LocaleNumbers::UserLocaleName(), "en_US");
  setenv("LANG", "C", 1);
  EXPECT_EQ(LocaleNumbers::UserLocaleName(), "en_US_POSIX");
  EXPECT_EQ(LocaleNumbers::ToInteger(Variant("2.5")), 2);
}

TEST(NormaliseAmount, KeepsDigitsPointsAndTheFirstComma) {
  const ScopedLocale german("de_DE.UTF-8");
  EXPECT_EQ(frmPlugIn::NormaliseAmount("12,50 EUR"), Variant(Amount("12,5")));
  EXPECT_EQ(frmPlugIn::NormaliseAmount("-5"), Variant(Amount("5")));
  EXPECT_EQ(frmPlugIn::NormaliseAmount("12,5,0"), Variant(Amount("12,50")));
  EXPECT_EQ(frmPlugIn::NormaliseAmount("1,2,3"), Variant(Amount("1,23")));
  EXPECT_EQ(frmPlugIn::NormaliseAmount("1.000.000,5"), Variant(Amount("1000000,5")));
  EXPECT_EQ(frmPlugIn::NormaliseAmount("EUR"), Variant("0"));
  EXPECT_EQ(frmPlugIn::NormaliseAmount(""), Variant("0"));
  EXPECT_TRUE(testing_support::Raises(13, [] { frmPlugIn::NormaliseAmount(","); }));
  EXPECT_TRUE(testing_support::Raises(6, [] { frmPlugIn::NormaliseAmount(std::string(32768, 'x')); }));
  // Characters beyond the 16-bit plane count twice, as the runtime counts them.
  std::string cards;
  for (int i = 0; i < 16384; ++i) cards += "\xF0\x9F\x92\xB3";
  EXPECT_TRUE(testing_support::Raises(6, [&] { frmPlugIn::NormaliseAmount(cards); }));
  EXPECT_EQ(frmPlugIn::NormaliseAmount(std::string(32767, ' ')), Variant("0"));
}
