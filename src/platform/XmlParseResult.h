#pragma once

#include <string>

namespace TLPaymentPlugIns {

// What the last XmlDocument::load found: whether the document loaded and, when
// it did not, where and why, in the words of whoever refused it (the parser or
// the operating system). Line and column are 1-based, 0 when unknown.
struct XmlParseResult {
  enum class Status { NotLoaded, Loaded, Unreadable, Malformed };

  Status status = Status::NotLoaded;
  // The path load was given.
  std::string path;
  long line = 0;
  long column = 0;
  std::string message;

  explicit operator bool() const noexcept { return status == Status::Loaded; }
};

}  // namespace TLPaymentPlugIns
