#pragma once

#include <stdexcept>
#include <string>

namespace TLPaymentPlugIns {

// A numbered error raised to the caller: number, source and description.
// what() gives the description.
class Error : public std::runtime_error {
 public:
  Error(long number, std::string source, std::string description);

  long Number() const noexcept;
  const std::string& Source() const noexcept;
  const std::string& Description() const noexcept;

 private:
  long mNumber;
  std::string mSource;
  std::string mDescription;
};

}  // namespace TLPaymentPlugIns
