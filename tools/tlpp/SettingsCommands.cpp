// set and params: one value from the shell, every value side by side.
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <iterator>
#include <stdexcept>

#include "Arguments.h"
#include "Commands.h"
#include "Diagnostics.h"
#include "ParamEdit.h"
#include "WriteLock.h"
#include "platform/Error.h"
#include "plugin/ConfigSchema.h"
#include "plugin/LanguageResolution.h"
#include "plugin/ParamTable.h"
#include "plugin/PlugIn.h"

using namespace TLPaymentPlugIns;

namespace tlpp {

namespace {

// The longest cell params prints; longer values end in "...".
constexpr std::size_t kCellWidth = 36;

// Characters of a UTF-8 text, as a terminal columns them.
std::size_t Width(const std::string& text) {
  std::size_t width = 0;
  for (const unsigned char c : text) width += (c & 0xC0) != 0x80 ? 1 : 0;
  return width;
}

// text followed by spaces up to width columns.
std::string Pad(const std::string& text, std::size_t width) {
  return text + std::string(width > Width(text) ? width - Width(text) : 0, ' ');
}

// A value as one short cell: line breaks shown as "\n", long values cut
// between characters; of a secret, only whether it is set.
std::string Cell(const std::optional<std::string>& value, bool secret) {
  if (!value) return "(none)";
  if (secret) return value->empty() ? "(secret, empty)" : "(secret, set)";
  if (value->empty()) return "(empty)";
  std::string cell = ParamEdit::Quoted(*value);
  cell = cell.substr(1, cell.size() - 2);
  if (Width(cell) <= kCellWidth) return cell;
  std::size_t end = 0;
  for (std::size_t kept = 0; kept < kCellWidth - 3; ++end) {
    if ((static_cast<unsigned char>(cell[end + 1]) & 0xC0) != 0x80) ++kept;
  }
  return cell.substr(0, end) + "...";
}

void PrintTable(const std::string& id, const ParamTable& table) {
  std::size_t nameWidth = 5;
  for (const auto& entry : table.entries()) nameWidth = std::max(nameWidth, entry.name.size() + 2 * entry.depth);
  std::string header = Pad("PARAM", nameWidth) + "  " + Pad("TYPE", 8);
  for (const std::string& lang : table.storeLangs()) header += "  " + Pad(lang, kCellWidth);
  while (!header.empty() && header.back() == ' ') header.pop_back();
  std::printf("%s\n%s\n", id.c_str(), header.c_str());
  for (const auto& entry : table.entries()) {
    std::string line =
        Pad(std::string(2 * entry.depth, ' ') + entry.name, nameWidth) + "  " + Pad(entry.kind->Name(), 8) + "  ";
    if (entry.kind->IsGroup()) {
      std::string chosen;
      for (const std::string& option : entry.chosen) chosen += (chosen.empty() ? "" : ", ") + option;
      line += "chosen: " + (chosen.empty() ? std::string("(none)") : chosen);
    } else if (entry.kind->Storage() == ParamStorage::Checked) {
      line += std::string(*entry.values[0] == schema::kCheckedOn ? "[x]" : "[ ]") + " (all languages)";
    } else if (!entry.perLanguage) {
      line += Cell(entry.values[0], entry.secret) + " (all languages)";
    } else {
      for (const auto& value : entry.values) line += Pad(Cell(value, entry.secret), kCellWidth) + "  ";
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    std::printf("%s\n", line.c_str());
  }
}

// The value --value-stdin reads: all of standard input, its final line
// feed dropped. Nothing at all (not even a line feed) is refused, so that a
// forgotten pipe does not empty a value.
std::string ValueFromStdin() {
  std::string value{std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};
  if (value.empty()) throw UsageError("--value-stdin read nothing from standard input");
  if (value.back() == '\n') value.pop_back();
  return value;
}

}  // namespace

int RunSet(const Arguments& args) {
  const std::string folder = args.positional(0);
  const std::string name = args.positional(1);
  const std::string value = args.flag(kValueStdin) ? ValueFromStdin() : args.positional(2);
  return WriteLock::Run({folder}, args, [&] {
    // Read under the lock, so that no other writer's change is lost.
    PlugIn plugIn;
    plugIn.ConfigPath(folder);
    XmlDocument& config = plugIn.Config();
    const std::vector<std::string> names = ParamEdit::ShownNames(config);
    if (std::find(names.begin(), names.end(), name) == names.end()) {
      std::string known;
      for (const std::string& each : ParamEdit::Closest(name, names)) known += (known.empty() ? "" : ", ") + each;
      Diagnostics::Say("set",
                       plugIn.ID() + " has no parameter " + name + "; it has: " + (known.empty() ? "(none)" : known));
      return kExitFindings;
    }
    const ParamEdit::Change change =
        ParamEdit::Apply(config, name, LanguageResolution::ResolveOrKeep(config, args.option(kStoreLang, "")), value);
    const bool dryRun = args.flag(kDryRun);
    std::printf("%s%s%s\n", dryRun ? "would set " : "", change.Line(plugIn.ID()).c_str(),
                change.changed() || change.secret ? "" : " (unchanged)");
    if (!dryRun && change.changed()) plugIn.SaveConfiguration();
    return kExitOk;
  });
}

int RunParams(const Arguments& args) {
  const std::string format = args.option(kOutputFormat, "text");
  PlugIn plugIn;
  plugIn.ConfigPath(args.positional(0));
  const XmlDocument& config = plugIn.Config();
  std::vector<std::string> langs = args.list(kStoreLangs);
  const ParamTable table(config, langs.empty() ? LanguageResolution::DeclaredCodes(config) : langs);
  if (format == "text") {
    PrintTable(plugIn.ID(), table);
    return kExitOk;
  }
  nlohmann::ordered_json params = nlohmann::ordered_json::array();
  for (const auto& entry : table.entries()) {
    nlohmann::ordered_json param = {{"name", entry.name}, {"type", entry.kind->Name()}, {"depth", entry.depth}};
    param.update(ParamEdit::ValueJson(table, entry, false));
    // Of a secret, whether it is set (in each store language).
    const auto set = [](const std::optional<std::string>& value) {
      return value ? nlohmann::ordered_json(!value->empty()) : nlohmann::ordered_json(nullptr);
    };
    if (entry.secret && !entry.perLanguage) param["set"] = set(entry.values.at(0));
    for (std::size_t i = 0; entry.secret && entry.perLanguage && i < table.storeLangs().size(); ++i) {
      param["set"][table.storeLangs()[i]] = set(entry.values[i]);
    }
    if (entry.kind->IsGroup()) param["chosen"] = entry.chosen;
    params.push_back(param);
  }
  const nlohmann::ordered_json out = {{"id", plugIn.ID()}, {"storeLangs", table.storeLangs()}, {"params", params}};
  std::cout << out.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
  return kExitOk;
}

}  // namespace tlpp
