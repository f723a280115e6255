#include "platform/LocaleNumbers.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/BooleanText.h"
#include "platform/Error.h"
#include "plugin/ParamModel.h"
#include "support/Raises.h"
#include "support/ScopedLocale.h"
#include "support/Table.h"

using TLPaymentPlugIns::Currency;
using TLPaymentPlugIns::Error;
using TLPaymentPlugIns::ParamKind;
using TLPaymentPlugIns::LocaleNumbers;
using TLPaymentPlugIns::Variant;
using testing_support::ScopedLocale;

namespace {

Currency Amount(const char* text) { return LocaleNumbers::ToCurrency(text); }

// A case of data/numbers.txt, converted to text.
std::string Convert(const std::string& conversion, const std::string& text) {
  if (conversion == "integer") return std::to_string(LocaleNumbers::ToInteger(Variant(text)));
  if (conversion == "amount") return LocaleNumbers::ToText(Variant(LocaleNumbers::ToCurrency(text)));
  if (conversion == "boolean") return TLPaymentPlugIns::BooleanText::Convert(text) ? "true" : "false";
  const Variant entry = ParamKind::NormaliseAmount(text);
  return (entry.Holds<Currency>() ? "" : "text ") + LocaleNumbers::ToText(entry);
}

}  // namespace

TEST(LocaleNumbers, ReadTheUsersNumbersAsTheTableSays) {
  for (const auto& [path, line, fields] : testing_support::ReadTable("plugin/data/numbers.txt")) {
    const testing::ScopedTrace where(path.c_str(), line, fields.at(2));
    const ScopedLocale locale(fields.at(0));
    EXPECT_TRUE(testing_support::Gives([&] { return Convert(fields.at(1), fields.at(2)); }, fields.at(3)));
  }
  const ScopedLocale german("de_DE.UTF-8");
  EXPECT_EQ(LocaleNumbers::ToInteger(Variant(Amount("2,5"))), 2);
  EXPECT_EQ(LocaleNumbers::ToInteger(Variant()), 0);
  EXPECT_FALSE(TLPaymentPlugIns::BooleanText::Convert(" FALSE \r\n"));
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

TEST(NormaliseAmount, AnEntryIsAtMost32767CharactersAsTheRuntimeCountsThem) {
  const ScopedLocale german("de_DE.UTF-8");
  EXPECT_TRUE(testing_support::Raises(6, [] { ParamKind::NormaliseAmount(std::string(32768, 'x')); }));
  // Characters beyond the 16-bit plane count twice.
  std::string cards;
  for (int i = 0; i < 16384; ++i) cards += "\xF0\x9F\x92\xB3";
  EXPECT_TRUE(testing_support::Raises(6, [&] { ParamKind::NormaliseAmount(cards); }));
  EXPECT_EQ(ParamKind::NormaliseAmount(std::string(32767, ' ')), Variant("0"));
}
