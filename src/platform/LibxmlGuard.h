#pragma once

#include <string>

namespace TLPaymentPlugIns {

// While alive, libxml2's error output on this thread goes to this object
// instead of the terminal, and no external entity can be loaded. The
// previous handlers are restored on destruction, so the host's own use of
// libxml2 is left as it was.
class LibxmlGuard {
 public:
  LibxmlGuard();
  ~LibxmlGuard();
  LibxmlGuard(const LibxmlGuard&) = delete;
  LibxmlGuard& operator=(const LibxmlGuard&) = delete;

  // The first message reported since construction, or "", and where the
  // parser was when it reported it (1-based; 0 when unknown).
  const std::string& message() const noexcept { return mMessage; }
  long line() const noexcept { return mLine; }
  long column() const noexcept { return mColumn; }
  void record(const char* text, long line = 0, long column = 0);

 private:
  void* mPreviousStructured;
  void* mPreviousStructuredContext;
  void* mPreviousGeneric;
  void* mPreviousGenericContext;
  void* mPreviousLoader;
  std::string mMessage;
  long mLine = 0;
  long mColumn = 0;
};

}  // namespace TLPaymentPlugIns
