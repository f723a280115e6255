#pragma once

#include <string>
#include <string_view>

namespace TLPaymentPlugIns {

// Replaces a file's whole content so that a reader, or a crash at any
// moment, sees either the old file or the new one, never a mixture.
class AtomicFile {
 public:
  // Writes bytes to a temporary file beside path, flushes it to disk, gives
  // it the permissions of the file it replaces and renames it over path. On
  // failure the temporary file is removed, path is untouched and the file
  // system's error is raised.
  static void Replace(const std::string& path, std::string_view bytes);
};

}  // namespace TLPaymentPlugIns
