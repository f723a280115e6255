#include "Arguments.h"

#include <algorithm>
#include <sstream>

namespace tlpp {

namespace {

bool IsOption(const std::string& word) { return word.rfind("--", 0) == 0; }

}  // namespace

Arguments::Arguments(const Command& command, const std::vector<std::string>& words) {
  const std::vector<const Option*> accepted = command.Accepted();
  bool onlyPositionals = false;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (!onlyPositionals && word == "--") {
      onlyPositionals = true;
    } else if (onlyPositionals || !IsOption(word)) {
      if (mPositionals.size() == command.positionals.size()) {
        throw UsageError("unexpected argument '" + word + "'");
      }
      const Positional& place = command.positionals[mPositionals.size()];
      if (word.empty() && !place.mayBeEmpty) throw UsageError(std::string("empty ") + place.name);
      mPositionals.push_back(word);
    } else {
      const auto equals = word.find('=');
      const std::string name = word.substr(0, equals);
      const auto found =
          std::find_if(accepted.begin(), accepted.end(), [&](const Option* option) { return name == option->name; });
      if (found == accepted.end()) throw UsageError("unknown option '" + name + "'");
      const Option& option = **found;
      if (mGiven.count(name) > 0) throw UsageError("option '" + name + "' given twice");
      std::string value;
      if (option.value == nullptr) {
        if (equals != std::string::npos) throw UsageError("option '" + name + "' takes no value");
      } else if (equals != std::string::npos) {
        value = word.substr(equals + 1);
      } else if (i + 1 < words.size() && !IsOption(words[i + 1])) {
        value = words[++i];
      } else {
        throw UsageError("option '" + name + "' needs a value (" + option.value + ")");
      }
      if (option.check != nullptr) {
        const std::string wrong = option.check(value);
        if (!wrong.empty()) throw UsageError("option '" + name + "' " + wrong + ", not '" + value + "'");
      }
      mGiven[name] = value;
    }
  }
  // A positional that a given option stands in for is left out; the word
  // given in its place is not repeated, as it may be a secret.
  const auto replacedBy = [&](const Positional& place) -> const Option* {
    for (const Option* option : accepted) {
      if (option->replaces != nullptr && flag(*option) && std::string(option->replaces) == place.name) return option;
    }
    return nullptr;
  };
  for (const Positional& place : command.positionals) {
    const bool given = mPositionals.size() > static_cast<std::size_t>(&place - command.positionals.data());
    if (const Option* option = replacedBy(place); option != nullptr && given) {
      throw UsageError(std::string(place.name) + " and " + option->name + " are both given");
    } else if (!place.optional && !given && option == nullptr) {
      throw UsageError(std::string("missing ") + place.name);
    }
  }
}

std::string Arguments::positional(std::size_t index, const std::string& fallback) const {
  return index < mPositionals.size() ? mPositionals[index] : fallback;
}

std::optional<std::string> Arguments::option(const Option& option) const {
  if (option.value == nullptr) return std::nullopt;
  const auto it = mGiven.find(option.name);
  if (it == mGiven.end()) return std::nullopt;
  return it->second;
}

std::string Arguments::option(const Option& option, const std::string& fallback) const {
  return this->option(option).value_or(fallback);
}

std::vector<std::string> Arguments::list(const Option& option) const {
  std::vector<std::string> items;
  std::stringstream stream(this->option(option, ""));
  for (std::string item; std::getline(stream, item, ',');) {
    if (!item.empty()) items.push_back(item);
  }
  return items;
}

}  // namespace tlpp
