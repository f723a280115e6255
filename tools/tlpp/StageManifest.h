#pragma once

#include <string>

namespace TLPaymentPlugIns {
class PlugIn;
}

namespace tlpp {

// What a staging run left in the stage folder, one line per folder and per
// file in the order the plug-in declares them (the order staging works in):
//
//   folder    tlinvoice/
//   copied    tlinvoice/images/logo.gif  1234  <sha256>
//   rendered  tlinvoice/plugin.html      567   <sha256>
//
// Paths are relative to the stage folder, so two publishes compare with
// diff. Built from the document and the folder after staging; staging
// itself stays silent.
class StageManifest {
 public:
  static std::string Describe(TLPaymentPlugIns::PlugIn& plugIn, const std::string& stagePath);
  // The SHA-256 of a file's bytes, in lower-case hex.
  static std::string Sha256(const std::string& path);
};

}  // namespace tlpp
