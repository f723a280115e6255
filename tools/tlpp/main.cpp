// tlpp: the command-line host of the payment plug-in library.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "Commands.h"
#include "PrintError.h"
#include "platform/Error.h"

namespace tlpp {

std::string SamplesRoot() {
  // The source tree's samples, else the installed ones beside this program.
  std::error_code ec;
  if (std::filesystem::is_directory(TLPP_SAMPLES_DIR, ec)) return TLPP_SAMPLES_DIR;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return TLPP_SAMPLES_DIR;
  return (self.parent_path() / TLPP_INSTALLED_SAMPLES_DIR).lexically_normal().string();
}

const std::vector<Command>& AllCommands() {
  static const std::vector<Command> commands = {
      {"list", "list the plug-ins under a root folder", "tlpp list [ROOT] [--lang CODE]", RunList},
      {"get", "print a parameter's value", "tlpp get PLUGIN_DIR PARAM [--store-lang CODE]", RunGet},
      {"set", "write a parameter's value as the dialog would and save",
       "tlpp set PLUGIN_DIR PARAM VALUE [--store-lang CODE] [--dry-run] [--wait SECONDS]", RunSet},
      {"params", "show every parameter with its value in each store language",
       "tlpp params PLUGIN_DIR [--store-langs de,en] [--format text|json]", RunParams},
      {"activate", "switch a plug-in on and save", "tlpp activate PLUGIN_DIR [--wait SECONDS]", RunActivate},
      {"deactivate", "switch a plug-in off and save", "tlpp deactivate PLUGIN_DIR [--wait SECONDS]", RunDeactivate},
      {"export", "write every plug-in's settings as JSON", "tlpp export [ROOT] > settings.json", RunExport},
      {"import", "check a settings file, then write what it changes",
       "tlpp import SETTINGS_FILE [ROOT] [--dry-run] [--wait SECONDS]", RunImport},
      {"stage", "stage a plug-in into a publish folder", "tlpp stage PLUGIN_DIR STAGE_DIR [--store-lang CODE] [--manifest FILE]",
       RunStage},
      {"snippet", "print a plug-in's rendered page snippet", "tlpp snippet PLUGIN_DIR [--store-lang CODE]",
       RunSnippet},
      {"param", "render one parameter reference", "tlpp param PLUGIN_DIR 'STRPARAM' [--store-lang CODE]", RunParam},
      {"configure", "open the configuration dialog",
       "tlpp configure PLUGIN_DIR [--lang CODE] [--store-lang CODE] [--charset N] [--charset-io N] "
       "[--screenshot DIR] [--wait SECONDS]",
       RunConfigure},
      {"check", "find what would break a published shop",
       "tlpp check [ROOT] [--store-langs de,en] [--format text|json]", RunCheck},
  };
  return commands;
}

namespace {

void PrintUsage(std::FILE* out) {
  std::fprintf(out, "usage: tlpp COMMAND [ARGS] (tlpp COMMAND --help for more)\n\ncommands:\n");
  for (const Command& command : AllCommands()) {
    std::fprintf(out, "  %-12s %s\n      %s\n", command.name, command.summary, command.usage);
  }
}

}  // namespace
}  // namespace tlpp

int main(int argc, char** argv) {
  using namespace tlpp;
  const std::vector<std::string> all(argv + 1, argv + argc);
  if (!all.empty() && all[0] == "--version") {
    std::printf("tlpp %s\n", TLPP_VERSION);
    return 0;
  }
  if (all.empty() || all[0] == "--help" || all[0] == "-h" || all[0] == "help") {
    PrintUsage(all.empty() ? stderr : stdout);
    return all.empty() ? 2 : 0;
  }
  for (const Command& command : AllCommands()) {
    if (all[0] != command.name) continue;
    const std::vector<std::string> words(all.begin() + 1, all.end());
    for (const auto& word : words) {
      if (word == "--help" || word == "-h") {
        std::printf("usage: %s\n%s\n", command.usage, command.summary);
        return 0;
      }
    }
    try {
      return command.run(words);
    } catch (const TLPaymentPlugIns::Error& error) {
      PrintError(error);
      return 2;
    } catch (const std::exception& error) {
      std::fprintf(stderr, "tlpp %s: %s\nusage: %s\n", command.name, error.what(), command.usage);
      return 2;
    }
  }
  std::fprintf(stderr, "tlpp: unknown command '%s'\n", all[0].c_str());
  PrintUsage(stderr);
  return 2;
}
