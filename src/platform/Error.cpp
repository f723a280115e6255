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

const std::string& Error::Path() const noexcept { return mPath; }

long Error::Line() const noexcept { return mLine; }

long Error::Column() const noexcept { return mColumn; }

const std::string& Error::Reason() const noexcept { return mReason; }

Error& Error::At(std::string path, long line, long column) {
  mPath = std::move(path);
  mLine = line;
  mColumn = column;
  return *this;
}

Error& Error::Because(std::string reason) {
  mReason = std::move(reason);
  return *this;
}

}  // namespace TLPaymentPlugIns
