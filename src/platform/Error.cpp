#include "platform/Error.h"

#include <utility>

namespace TLPaymentPlugIns {

Error::Error(long number, std::string source, std::string description)
    : std::runtime_error(description),
      mNumber(number),
      mSource(std::move(source)),
      mDescription(std::move(description)) {}

long Error::Number() const noexcept { return mNumber; }

const std::string& Error::Source() const noexcept { return mSource; }

const std::string& Error::Description() const noexcept { return mDescription; }

}  // namespace TLPaymentPlugIns
