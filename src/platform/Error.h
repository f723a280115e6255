#pragma once

#include <stdexcept>
#include <string>

namespace TLPaymentPlugIns {

// A numbered error raised to the caller: number, source and description.
// what() gives the description. An error raised for a file or a document
// also says where it happened: the path, the line and column (1-based) and
// the reason in the words of whoever found it (the XML parser, the operating
// system). These are empty or 0 when unknown and never change the number,
// source or description.
class Error : public std::runtime_error {
 public:
  Error(long number, std::string source, std::string description);

  long Number() const noexcept;
  const std::string& Source() const noexcept;
  const std::string& Description() const noexcept;

  const std::string& Path() const noexcept;
  long Line() const noexcept;
  long Column() const noexcept;
  const std::string& Reason() const noexcept;

  // Attaches where the error happened.
  Error& At(std::string path, long line = 0, long column = 0);
  // Attaches the finder's own reason.
  Error& Because(std::string reason);

 private:
  long mNumber;
  std::string mSource;
  std::string mDescription;
  std::string mPath;
  long mLine = 0;
  long mColumn = 0;
  std::string mReason;
};

}  // namespace TLPaymentPlugIns
