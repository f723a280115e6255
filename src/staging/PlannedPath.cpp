#include "staging/PlannedPath.h"

namespace TLPaymentPlugIns {

PlannedPath PlannedPath::Form(const std::function<std::string()>& form) {
  PlannedPath planned;
  try {
    planned.mPath = form();
  } catch (const Error& error) {
    planned.mError = error;
  }
  return planned;
}

const std::string& PlannedPath::Get() const {
  if (mError) throw *mError;
  return mPath;
}

}  // namespace TLPaymentPlugIns
