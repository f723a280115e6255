#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

// Sets the user's locale variables (LC_ALL, LC_NUMERIC and LANG) for the
// life of the object and puts the old values back afterwards.
class ScopedLocale {
 public:
  explicit ScopedLocale(const std::string& name) {
    for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
      const char* value = std::getenv(variable);
      mSaved.emplace_back(variable, value != nullptr ? std::optional<std::string>(value) : std::nullopt);
    }
    unsetenv("LC_ALL");
    setenv("LC_NUMERIC", name.c_str(), 1);
    setenv("LANG", name.c_str(), 1);
  }
  ~ScopedLocale() {
    for (const auto& [variable, value] : mSaved) {
      if (value) setenv(variable, value->c_str(), 1);
      else unsetenv(variable);
    }
  }
  ScopedLocale(const ScopedLocale&) = delete;
  ScopedLocale& operator=(const ScopedLocale&) = delete;

 private:
  std::vector<std::pair<const char*, std::optional<std::string>>> mSaved;
};

}  // namespace testing_support
