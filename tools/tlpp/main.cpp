// tlpp: the command-line host of the payment plug-in library.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "Arguments.h"
#include "Commands.h"
#include "Diagnostics.h"
#include "platform/Error.h"

namespace tlpp {

namespace {

// What the source tree has at sourcePath, else what is installed at
// installedPath, relative to this program's folder.
std::string SourceOrInstalled(const char* sourcePath, const char* installedPath) {
  std::error_code ec;
  if (std::filesystem::exists(sourcePath, ec)) return sourcePath;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return sourcePath;
  return (self.parent_path() / installedPath).lexically_normal().string();
}

}  // namespace

std::string SamplesRoot() { return SourceOrInstalled(TLPP_SAMPLES_DIR, TLPP_INSTALLED_SAMPLES_DIR); }

std::string SchemaFile() { return SourceOrInstalled(TLPP_SCHEMA_FILE, TLPP_INSTALLED_SCHEMA_FILE); }

namespace {

// Whole numbers from low to high, digits with an optional minus sign.
template <long low, long high>
std::string WholeNumber(const std::string& text) {
  const std::string wrong = "takes a whole number from " + std::to_string(low) + " to " + std::to_string(high);
  const std::size_t digits = text.find_first_not_of('-') == 1 ? 1 : 0;
  if (text.size() == digits || text.size() > digits + 6 ||
      text.find_first_not_of("0123456789", digits) != std::string::npos) {
    return wrong;
  }
  const long value = std::stol(text);
  return value < low || value > high ? wrong : "";
}

std::string TextOrJson(const std::string& text) { return text == "text" || text == "json" ? "" : "is text or json"; }

const Positional kPlugInDir{"PLUGIN_DIR"};
const Positional kRoot{"ROOT", true};

}  // namespace

const Option kDryRun{"--dry-run", nullptr, "print what would change, write nothing"};
const Option kWait{"--wait", "SECONDS", "wait up to SECONDS (0 to 86400, default 10) for another writer",
                   WholeNumber<0, 86400>};
const Option kStoreLang{"--store-lang", "CODE", "the store language (default: the plug-in's default language)"};
const Option kStoreLangs{"--store-langs", "de,en", "these store languages (default: every declared one)"};
const Option kOutputFormat{"--format", "text|json", "print text (the default) or JSON", TextOrJson};
const Option kLang{"--lang", "CODE", "the language of names and of the dialog"};
const Option kManifest{"--manifest", "FILE", "also describe what was staged in FILE, outside the stage folder"};
const Option kCharset{"--charset", "N", "the shop's character set number", WholeNumber<-32768, 32767>};
const Option kCharsetIo{"--charset-io", "N", "the character set number of files read and written",
                        WholeNumber<-32768, 32767>};
const Option kLangs{"--langs", "de,en", "the languages to declare, the default first"};
const Option kName{"--name", "TEXT", "the plug-in's name in every language (default: the ID)"};
const Option kSchema{"--schema", nullptr, "also check each config.xml against the schema of config.xml"};
const Option kScreenshot{"--screenshot", "DIR", "draw the dialog off screen into three pictures in DIR; save nothing"};

const Option kValueStdin{"--value-stdin", nullptr,
                         "read VALUE from standard input, its final line feed dropped, instead of the command line",
                         nullptr, "VALUE"};
const Option kIncludeSecrets{"--include-secrets", nullptr, "also write the values of secret parameters"};
const Option kAllowSecrets{"--allow-secrets", nullptr, "stage even when a secret's value would be published"};

const std::vector<Command>& AllCommands() {
  static const std::vector<Command> commands = {
      {"list", "list the plug-ins under a root folder", {kRoot}, {&kLang}, false, RunList},
      {"get", "print a parameter's value", {kPlugInDir, {"PARAM"}}, {&kStoreLang}, false, RunGet},
      {"set",
       "write a parameter's value as the dialog would and save",
       {kPlugInDir, {"PARAM"}, {"VALUE", false, true}},
       {&kStoreLang, &kDryRun, &kValueStdin},
       true,
       RunSet},
      {"params",
       "show every parameter with its value in each store language",
       {kPlugInDir},
       {&kStoreLangs, &kOutputFormat},
       false,
       RunParams},
      {"activate", "switch a plug-in on and save", {kPlugInDir}, {}, true, RunActivate},
      {"deactivate", "switch a plug-in off and save", {kPlugInDir}, {}, true, RunDeactivate},
      {"export", "print every plug-in's settings as JSON", {kRoot}, {&kIncludeSecrets}, false, RunExport},
      {"import",
       "check a settings file, then write what it changes",
       {{"SETTINGS_FILE"}, kRoot},
       {&kDryRun},
       true,
       RunImport},
      {"stage",
       "stage a plug-in into a publish folder",
       {kPlugInDir, {"STAGE_DIR"}},
       {&kStoreLang, &kManifest, &kAllowSecrets},
       false,
       RunStage},
      {"snippet", "print a plug-in's rendered page snippet", {kPlugInDir}, {&kStoreLang}, false, RunSnippet},
      {"param", "render one parameter reference", {kPlugInDir, {"'STRPARAM'"}}, {&kStoreLang}, false, RunParam},
      {"configure",
       "open the configuration dialog",
       {kPlugInDir},
       {&kLang, &kStoreLang, &kCharset, &kCharsetIo, &kScreenshot},
       true,
       RunConfigure},
      {"new", "create a plug-in folder to start from", {{"ID"}, kRoot}, {&kLangs, &kName}, false, RunNew},
      {"check",
       "find what would break a published shop",
       {kRoot},
       {&kStoreLangs, &kOutputFormat, &kSchema},
       false,
       RunCheck},
      {"upgrade",
       "put a new version of a plug-in in place, keeping its settings and files",
       {kPlugInDir, {"NEW_VERSION_DIR", true}},
       {&kDryRun, &kBackup, &kRollback, &kOutputFormat},
       true,
       RunUpgrade},
  };
  return commands;
}

std::vector<const Option*> Command::Accepted() const {
  std::vector<const Option*> accepted = options;
  if (writes) accepted.push_back(&kWait);
  return accepted;
}

std::string Command::Usage() const {
  std::string usage = std::string("tlpp ") + name;
  for (const Positional& place : positionals) {
    usage += place.optional ? std::string(" [") + place.name + "]" : std::string(" ") + place.name;
  }
  for (const Option* option : Accepted()) {
    usage += std::string(" [") + option->name + (option->value ? std::string(" ") + option->value : "") + "]";
  }
  return usage;
}

namespace {

std::string Spelled(const Option& option) {
  return option.value ? std::string(option.name) + " " + option.value : option.name;
}

void PrintOptions(std::FILE* out, const std::vector<const Option*>& options) {
  for (const Option* option : options) std::fprintf(out, "  %-22s %s\n", Spelled(*option).c_str(), option->help);
}

void PrintUsage(std::FILE* out) {
  std::fprintf(out, "usage: tlpp COMMAND [ARGS] (tlpp COMMAND --help for more)\n\ncommands:\n");
  std::vector<const Option*> options;
  for (const Command& command : AllCommands()) {
    std::fprintf(out, "  %-12s %s\n      %s\n", command.name, command.summary, command.Usage().c_str());
    for (const Option* option : command.Accepted()) {
      if (std::find(options.begin(), options.end(), option) == options.end()) options.push_back(option);
    }
  }
  std::fprintf(out, "\noptions:\n");
  PrintOptions(out, options);
  std::fprintf(out,
               "\nexit status:\n"
               "  %d  done\n"
               "  %d  a fault reported: check found errors, a plug-in did not load, get or set\n"
               "     named an unknown parameter, import found problems, stage would publish a\n"
               "     secret, the dialog was cancelled\n"
               "  %d  a wrong command line, or an error that stopped the command before it wrote\n"
               "  %d  another program held a plug-in folder's lock longer than the wait\n",
               kExitOk, kExitFindings, kExitError, kExitBusy);
}

void PrintHelp(const Command& command) {
  std::printf("usage: %s\n%s\n", command.Usage().c_str(), command.summary);
  if (command.Accepted().empty()) return;
  std::printf("\noptions:\n");
  PrintOptions(stdout, command.Accepted());
}

// Help is asked for by --help or -h before any "--".
bool AsksForHelp(const std::vector<std::string>& words) {
  for (const std::string& word : words) {
    if (word == "--") return false;
    if (word == "--help" || word == "-h") return true;
  }
  return false;
}

}  // namespace
}  // namespace tlpp

int main(int argc, char** argv) {
  using namespace tlpp;
  const std::vector<std::string> all(argv + 1, argv + argc);
  if (!all.empty() && all[0] == "--version") {
    std::printf("tlpp %s\n", TLPP_VERSION);
    return kExitOk;
  }
  if (all.empty() || all[0] == "--help" || all[0] == "-h" || all[0] == "help") {
    PrintUsage(all.empty() ? stderr : stdout);
    return all.empty() ? kExitError : kExitOk;
  }
  for (const Command& command : AllCommands()) {
    if (all[0] != command.name) continue;
    const std::vector<std::string> words(all.begin() + 1, all.end());
    if (AsksForHelp(words)) {
      PrintHelp(command);
      return kExitOk;
    }
    try {
      // The whole command line is checked before anything is read.
      const Arguments args(command, words);
      return command.run(args);
    } catch (const UsageError& error) {
      Diagnostics::Usage(command.name, error.what(), command.Usage());
    } catch (const TLPaymentPlugIns::Error& error) {
      Diagnostics::Error(error);
    } catch (const std::exception& error) {
      Diagnostics::Say(command.name, error.what());
    }
    return kExitError;
  }
  Diagnostics::Say("", "unknown command '" + all[0] + "'");
  PrintUsage(stderr);
  return kExitError;
}
