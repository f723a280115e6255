#pragma once

#include <string>

#include "platform/Error.h"

namespace tlpp {

// tlpp's exit statuses; --help lists them.
enum Exit : int {
  kExitOk = 0,
  // The command ran and reports a fault: check found errors, a plug-in did
  // not load, get or set named an unknown parameter, import found problems
  // in the settings file, stage would publish a secret, the dialog was
  // cancelled.
  kExitFindings = 1,
  // A wrong command line, or an error that stopped the command before it
  // wrote anything.
  kExitError = 2,
  // Another program held a plug-in folder's lock longer than --wait.
  kExitBusy = 3,
};

// Every line tlpp writes to standard error goes through here.
class Diagnostics {
 public:
  // A library error, as compilers write one: "path:line:column: error N:
  // description (reason)", "path: error N: ..." when the line is unknown,
  // and "tlpp: error N: ..." when no path is known. An error that names no
  // path of its own is placed at fallbackPath.
  static void Error(const TLPaymentPlugIns::Error& error, const std::string& fallbackPath = {});
  // An error placed at where, e.g. a settings file's JSON path:
  // "where: error N: description".
  static void Error(const std::string& where, long number, const std::string& description);
  // "tlpp COMMAND: message" ("tlpp: message" without a command).
  static void Say(const std::string& command, const std::string& message);
  // A line already in one of these forms, e.g. a settings file's problem.
  static void Write(const std::string& line);
  // A command line that does not fit: the message, then the usage line.
  static void Usage(const std::string& command, const std::string& message, const std::string& usage);
};

}  // namespace tlpp
