#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace testing_support {

// Sets the user's locale variables (LC_ALL, LC_NUMERIC and LANG) for the
// life of the object and puts the old values back afterwards.
class ScopedLocale {
 public:
  explicit ScopedLocale(const std::string& name)
      : mAll(Get("LC_ALL")), mNumeric(Get("LC_NUMERIC")), mLang(Get("LANG")) {
    unsetenv("LC_ALL");
    setenv("LC_NUMERIC", name.c_str(), 1);
    setenv("LANG", name.c_str(), 1);
  }
  ~ScopedLocale() {
    Restore("LC_ALL", mAll);
    Restore("LC_NUMERIC", mNumeric);
    Restore("LANG", mLang);
  }
  ScopedLocale(const ScopedLocale&) = delete;
  ScopedLocale& operator=(const ScopedLocale&) = delete;

 private:
  static std::optional<std::string> Get(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
  }
  static void Restore(const char* name, const std::optional<std::string>& value) {
    if (value) {
      setenv(name, value->c_str(), 1);
    } else {
      unsetenv(name);
    }
  }

  std::optional<std::string> mAll;
  std::optional<std::string> mNumeric;
  std::optional<std::string> mLang;
};

}  // namespace testing_support
