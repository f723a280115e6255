#pragma once

#include <string>
#include <vector>

namespace tlpp {

class Arguments;

// One --option of the command line: its name, the name of its value
// (nullptr for a flag), a line of help, a check of its value that returns
// what is wrong with it ("" when nothing is), and the positional it stands
// in for: given, that positional is then left out.
struct Option {
  const char* name;
  const char* value;
  const char* help;
  std::string (*check)(const std::string& value) = nullptr;
  const char* replaces = nullptr;
};

// Every option, declared once (main.cpp) and meaning one thing in every
// command that takes it.
extern const Option kDryRun;
extern const Option kWait;
extern const Option kStoreLang;
extern const Option kStoreLangs;
extern const Option kOutputFormat;
extern const Option kLang;
extern const Option kManifest;
extern const Option kCharset;
extern const Option kCharsetIo;
extern const Option kScreenshot;
extern const Option kSchema;
extern const Option kLangs;
extern const Option kName;
extern const Option kValueStdin;
extern const Option kIncludeSecrets;
extern const Option kAllowSecrets;

// A word of the command line that is not an option, in its place.
struct Positional {
  const char* name;
  bool optional = false;
  bool mayBeEmpty = false;
};

// One command of the host: its name, a one-line summary, what it takes and
// what runs it. A command that writes takes the folders' lock (WriteLock)
// and so accepts --wait. Run gets the words already checked against the
// table and returns the exit status; a library Error thrown out of it is
// reported by main.
struct Command {
  const char* name;
  const char* summary;
  std::vector<Positional> positionals;
  std::vector<const Option*> options;
  bool writes;
  int (*run)(const Arguments& args);

  // The options it accepts: its own, and --wait when it writes.
  std::vector<const Option*> Accepted() const;
  // "tlpp NAME POSITIONALS [--option VALUE]...".
  std::string Usage() const;
};

// The root folder of the bundled sample plug-ins.
std::string SamplesRoot();
// The schema of config.xml: the source tree's, else the installed one.
std::string SchemaFile();

// Commands, one group per file.
int RunList(const Arguments& args);
int RunGet(const Arguments& args);
int RunActivate(const Arguments& args);
int RunDeactivate(const Arguments& args);
// Staging: StagingCommands.cpp.
int RunStage(const Arguments& args);
int RunSnippet(const Arguments& args);
int RunParam(const Arguments& args);
// The dialog: DialogCommands.cpp.
int RunConfigure(const Arguments& args);
// Settings from the shell: SettingsCommands.cpp.
int RunSet(const Arguments& args);
int RunParams(const Arguments& args);
// Settings files: TransferCommands.cpp.
int RunExport(const Arguments& args);
int RunImport(const Arguments& args);
// A plug-in to start from: NewCommand.cpp.
int RunNew(const Arguments& args);
// Publish readiness: CheckCommand.cpp.
int RunCheck(const Arguments& args);
// A new version in place: UpgradeCommand.cpp, with its own options.
extern const Option kBackup;
extern const Option kRollback;
int RunUpgrade(const Arguments& args);

const std::vector<Command>& AllCommands();

}  // namespace tlpp
