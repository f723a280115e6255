// The dialog's amount and number conversions, in the C locale and in a
// locale with a decimal comma (the first byte picks one).
#include <clocale>

#include "FuzzSupport.h"
#include "platform/LocaleNumbers.h"
#include "plugin/ParamModel.h"

using namespace TLPaymentPlugIns;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  setenv("LC_NUMERIC", (data[0] & 1) ? "de_DE.UTF-8" : "C", 1);
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

  fuzz::Tolerate([&] {
    const Variant amount = ParamKind::NormaliseAmount(text);
    // What the dialog writes back must read back.
    (void)LocaleNumbers::ToText(ParamKind::NormaliseAmount(LocaleNumbers::ToText(amount)));
  });
  fuzz::Tolerate([&] { (void)LocaleNumbers::ToInteger(Variant(text)); });
  fuzz::Tolerate([&] { (void)LocaleNumbers::ToText(Variant(LocaleNumbers::ToCurrency(text))); });
  fuzz::Tolerate([&] { (void)LocaleNumbers::ToText(Variant(text)); });
  fuzz::Tolerate([&] { (void)LocaleNumbers::ToInteger(Variant(LocaleNumbers::ToCurrency(text))); });
  return 0;
}
