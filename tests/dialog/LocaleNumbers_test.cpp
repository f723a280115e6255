#include "dialog/LocaleNumbers.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "dialog/frmPlugIn.h"
#include "platform/Error.h"
#include "support/Raises.h"
#include "support/ScopedLocale.h"
#include "support/TempDir.h"

using TLPaymentPlugIns::Currency;
using TLPaymentPlugIns::Error;
using TLPaymentPlugIns::frmPlugIn;
using TLPaymentPlugIns::LocaleNumbers;
using TLPaymentPlugIns::Variant;
using testing_support::ScopedLocale;

namespace {

Currency Amount(const char* text) { return LocaleNumbers::ToCurrency(text); }

// A case of data/numbers.txt, converted to text.
std::string Convert(const std::string& conversion, const std::string& text) {
  if (conversion == "integer") return std::to_string(LocaleNumbers::ToInteger(Variant(text)));
  if (conversion == "amount") return LocaleNumbers::ToText(Variant(LocaleNumbers::ToCurrency(text)));
  const Variant entry = frmPlugIn::NormaliseAmount(text);
  return (entry.Holds<Currency>() ? "" : "text ") + LocaleNumbers::ToText(entry);
}

}  // namespace

TEST(LocaleNumbers, ReadTheUsersNumbersAsTheTableSays) {
  std::istringstream table(testing_support::Fixture("dialog/data/numbers.txt"));
  int number = 0;
  for (std::string line; std::getline(table, line);) {
    ++number;
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string locale, conversion, text, expected;
    std::getline(std::getline(std::getline(std::getline(fields, locale, '\t'), conversion, '\t'), text, '\t'),
                 expected);
    SCOPED_TRACE("numbers.txt:" + std::to_string(number) + ": " + line);
    const ScopedLocale scoped(locale);
    if (expected.rfind("error ", 0) == 0) {
      EXPECT_TRUE(testing_support::Raises(std::stol(expected.substr(6)), [&] { Convert(conversion, text); }));
    } else {
      EXPECT_EQ(Convert(conversion, text), expected);
    }
  }
  const ScopedLocale german("de_DE.UTF-8");
  EXPECT_EQ(LocaleNumbers::ToInteger(Variant(Amount("2,5"))), 2);
  EXPECT_EQ(LocaleNumbers::ToInteger(Variant()), 0);
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
  EXPECT_TRUE(testing_support::Raises(6, [] { frmPlugIn::NormaliseAmount(std::string(32768, 'x')); }));
  // Characters beyond the 16-bit plane count twice.
  std::string cards;
  for (int i = 0; i < 16384; ++i) cards += "\xF0\x9F\x92\xB3";
  EXPECT_TRUE(testing_support::Raises(6, [&] { frmPlugIn::NormaliseAmount(cards); }));
  EXPECT_EQ(frmPlugIn::NormaliseAmount(std::string(32767, ' ')), Variant("0"));
}
