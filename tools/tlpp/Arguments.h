#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tlpp {

// A command's words after the command name: positionals and --options.
// Options that take a value are named when parsing; any other --word is a
// flag.
class Arguments {
 public:
  Arguments(const std::vector<std::string>& words, const std::set<std::string>& valued);

  const std::vector<std::string>& positionals() const { return mPositionals; }
  std::string positional(std::size_t index, const std::string& fallback = "") const;
  std::optional<std::string> option(const std::string& name) const;
  std::string option(const std::string& name, const std::string& fallback) const;
  bool flag(const std::string& name) const { return mFlags.count(name) > 0; }
  // A comma-separated option's items, empty ones left out.
  std::vector<std::string> list(const std::string& name) const;

 private:
  std::vector<std::string> mPositionals;
  std::map<std::string, std::string> mOptions;
  std::set<std::string> mFlags;
};

}  // namespace tlpp
