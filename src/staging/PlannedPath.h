#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/Error.h"

namespace TLPaymentPlugIns {

// A path that staging will read or write, or the error that forming it
// raised (an attribute that is missing, a path that leaves its folder). The
// error is kept and raised again by Get, at the step that uses the path.
class PlannedPath {
 public:
  // Runs form; an Error it raises is kept.
  static PlannedPath Form(const std::function<std::string()>& form);

  // The path; raises the kept error when it could not be formed.
  const std::string& Get() const;
  bool Formed() const { return !mError; }
  // Valid when not Formed.
  const Error& Failure() const { return *mError; }

 private:
  std::string mPath;
  std::optional<Error> mError;
};

}  // namespace TLPaymentPlugIns
