#pragma once

#include <string>

namespace TLPaymentPlugIns {

class PlugIn;

// What a staging run left in the stage folder, one line per folder and per
// file in the order the plug-in declares them (the order staging works in):
//
//   folder    tlinvoice/
//   copied    tlinvoice/images/logo.gif  1234  <sha256>
//   rendered  tlinvoice/plugin.html  567  <sha256>
//
// Paths are relative to the stage folder, so two publishes compare with
// diff. A destination written twice holds the later file and is listed once,
// for it. Built from the staging plan and the folder after staging; staging
// itself stays silent.
class StageManifest {
 public:
  // Loads the plug-in first; a load error is raised.
  static std::string Describe(PlugIn& plugIn, const std::string& stagePath);
  // The SHA-256 of a file's bytes in lower-case hex; "" when it can't be read.
  static std::string Sha256(const std::string& path);
};

}  // namespace TLPaymentPlugIns
