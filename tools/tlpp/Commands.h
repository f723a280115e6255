#pragma once

#include <string>
#include <vector>

namespace tlpp {

// One command of the host: its name, a one-line summary, its usage text and
// what runs it. Run returns the exit status; a library Error thrown out of
// it is reported by main.
struct Command {
  const char* name;
  const char* summary;
  const char* usage;
  int (*run)(const std::vector<std::string>& words);
};

// The root folder of the bundled sample plug-ins.
std::string SamplesRoot();

// Commands, one group per file.
int RunList(const std::vector<std::string>& words);
int RunGet(const std::vector<std::string>& words);
int RunActivate(const std::vector<std::string>& words);
int RunDeactivate(const std::vector<std::string>& words);
// Staging: StagingCommands.cpp.
int RunStage(const std::vector<std::string>& words);
int RunSnippet(const std::vector<std::string>& words);
int RunParam(const std::vector<std::string>& words);
// The dialog: DialogCommands.cpp.
int RunConfigure(const std::vector<std::string>& words);
// Settings from the shell: SettingsCommands.cpp.
int RunSet(const std::vector<std::string>& words);
int RunParams(const std::vector<std::string>& words);
// Settings files: TransferCommands.cpp.
int RunExport(const std::vector<std::string>& words);
int RunImport(const std::vector<std::string>& words);
// Publish readiness: CheckCommand.cpp.
int RunCheck(const std::vector<std::string>& words);

const std::vector<Command>& AllCommands();

}  // namespace tlpp
