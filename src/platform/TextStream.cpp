#include "platform/TextStream.h"

#include <cerrno>

#include "platform/ErrorCodes.h"

namespace TLPaymentPlugIns {

TextStream::TextStream(std::FILE* file, std::string path) : mFile(file), mPath(std::move(path)) {}

TextStream::~TextStream() {
  if (mFile != nullptr) std::fclose(mFile);
}

std::string TextStream::ReadAll() {
  if (mFile == nullptr) throw errors::ObjectNotSet();
  std::string text;
  char buffer[65536];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, mFile)) > 0) text.append(buffer, n);
  if (std::ferror(mFile)) throw errors::FromErrno(errno, mPath);
  return text;
}

void TextStream::Write(const std::string& text) {
  if (mFile == nullptr) throw errors::ObjectNotSet();
  if (!text.empty() && std::fwrite(text.data(), 1, text.size(), mFile) != text.size()) {
    throw errors::FromErrno(errno, mPath);
  }
}

void TextStream::Close() {
  if (mFile == nullptr) return;
  std::FILE* file = mFile;
  mFile = nullptr;
  if (std::fclose(file) != 0) throw errors::FromErrno(errno, mPath);
}

}  // namespace TLPaymentPlugIns
