#include "Arguments.h"

#include <sstream>
#include <stdexcept>

namespace tlpp {

Arguments::Arguments(const std::vector<std::string>& words, const std::set<std::string>& valued) {
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word.rfind("--", 0) != 0 || word == "--") {
      mPositionals.push_back(word);
      continue;
    }
    const auto equals = word.find('=');
    const std::string name = word.substr(0, equals);
    if (valued.count(name) == 0) {
      if (equals != std::string::npos) throw std::invalid_argument("option " + name + " takes no value");
      mFlags.insert(name);
    } else if (equals != std::string::npos) {
      mOptions[name] = word.substr(equals + 1);
    } else if (i + 1 < words.size()) {
      mOptions[name] = words[++i];
    } else {
      throw std::invalid_argument("option " + name + " needs a value");
    }
  }
}

std::string Arguments::positional(std::size_t index, const std::string& fallback) const {
  return index < mPositionals.size() ? mPositionals[index] : fallback;
}

std::optional<std::string> Arguments::option(const std::string& name) const {
  const auto it = mOptions.find(name);
  if (it == mOptions.end()) return std::nullopt;
  return it->second;
}

std::string Arguments::option(const std::string& name, const std::string& fallback) const {
  return option(name).value_or(fallback);
}

std::vector<std::string> Arguments::list(const std::string& name) const {
  std::vector<std::string> items;
  std::stringstream stream(option(name, ""));
  for (std::string item; std::getline(stream, item, ',');) {
    if (!item.empty()) items.push_back(item);
  }
  return items;
}

}  // namespace tlpp
