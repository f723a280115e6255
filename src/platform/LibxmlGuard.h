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

  // The first message reported since construction, or "".
  const std::string& message() const noexcept { return mMessage; }
  void record(const char* text);

 private:
  void* mPreviousStructured;
  void* mPreviousStructuredContext;
  void* mPreviousGeneric;
  void* mPreviousGenericContext;
  void* mPreviousLoader;
  std::string mMessage;
};

}  // namespace TLPaymentPlugIns
