#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace TLPaymentPlugIns {

// An open text file, read or written whole as bytes: no conversion, no
// byte-order mark, line endings untouched. Made by
// FileSystemObject::OpenTextFile.
class TextStream {
 public:
  explicit TextStream(std::FILE* file, std::string path);
  ~TextStream();
  TextStream(const TextStream&) = delete;
  TextStream& operator=(const TextStream&) = delete;

  // Valid until Close.
  std::string ReadAll();
  void Write(const std::string& text);
  // Flushes and closes; a failed flush raises. Closing twice does nothing.
  void Close();

 private:
  std::FILE* mFile;
  std::string mPath;
};

}  // namespace TLPaymentPlugIns
