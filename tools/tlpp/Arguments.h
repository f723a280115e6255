#pragma once

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "Commands.h"

namespace tlpp {

// A command line that does not fit its command's table; what() names the
// offending word.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A command's words after the command name, checked against its table:
// every option known and given once, every value present and good, the
// positionals neither too few nor too many. "--opt=value" and "--opt value"
// are the same; after "--" every word is a positional.
class Arguments {
 public:
  // Raises UsageError for a command line that does not fit.
  Arguments(const Command& command, const std::vector<std::string>& words);

  const std::vector<std::string>& positionals() const { return mPositionals; }
  std::string positional(std::size_t index, const std::string& fallback = "") const;
  std::optional<std::string> option(const Option& option) const;
  std::string option(const Option& option, const std::string& fallback) const;
  bool flag(const Option& option) const { return mGiven.count(option.name) > 0; }
  // A comma-separated option's items, empty ones left out.
  std::vector<std::string> list(const Option& option) const;

 private:
  std::vector<std::string> mPositionals;
  std::map<std::string, std::string> mGiven;
};

}  // namespace tlpp
