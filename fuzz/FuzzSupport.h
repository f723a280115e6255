#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Error.h"

namespace fuzz {

// The input split at NUL bytes: the first part is the main text, the rest
// are the names and languages to ask for. A seed without NUL is all text.
inline std::vector<std::string> Parts(const uint8_t* data, size_t size) {
  std::vector<std::string> parts(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      parts.emplace_back();
    } else {
      parts.back() += static_cast<char>(data[i]);
    }
  }
  return parts;
}

// A plug-in folder of the fuzzer's own in /dev/shm (or TMPDIR), removed at
// exit; config.xml in it is rewritten for every input.
class Folder {
 public:
  Folder() {
    const char* base = std::getenv("TMPDIR");
    std::string tmpl = std::string(base && *base ? base : "/dev/shm") + "/tlpp-fuzz-XXXXXX";
    if (!mkdtemp(tmpl.data())) std::abort();
    mPath = tmpl;
  }
  ~Folder() {
    std::remove((mPath + "/config.xml").c_str());
    rmdir(mPath.c_str());
  }
  const std::string& Path() const { return mPath; }
  void Write(std::string_view bytes) const {
    std::FILE* f = std::fopen((mPath + "/config.xml").c_str(), "wb");
    if (!f) std::abort();
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) std::abort();
    std::fclose(f);
  }

 private:
  std::string mPath;
};

// Runs a call that may raise one of the library's numbered errors; any
// other exception escapes and is a finding.
template <typename Call>
void Tolerate(Call&& call) {
  try {
    call();
  } catch (const TLPaymentPlugIns::Error&) {
  }
}

}  // namespace fuzz
