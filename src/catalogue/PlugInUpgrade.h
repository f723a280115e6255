#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace TLPaymentPlugIns {

class PlugIn;

// Replaces an installed plug-in folder with a new version of the plug-in
// and keeps what the shop owner set: the active flag, every parameter value
// the new version still has (matched by name as GetParam finds a parameter,
// converted by the new kind when the type or localValue changed), and the
// files the owner put into the folder.
//
// The new folder is assembled in a work folder beside the plug-in folder
// (PARENT/.tlpp-upgrade/NAME.assembly, so that no scan of the root takes it
// for a plug-in), then swapped in with one atomic exchange; the old folder
// goes to the backup folder (PARENT/.tlpp-upgrade by default) as
// NAME.before-upgrade-YYYYMMDD-HHMMSS. At every moment the plug-in's path
// holds either the old folder or the new one, whole.
class PlugInUpgrade {
 public:
  enum class Kind {
    Carried,    // a value taken over as it was
    Converted,  // a value taken over through the new kind
    Dropped,    // a value the new version has no place for
    New,        // a parameter only the new version has: its shipped value
    KeptFile,   // a file of the old folder that the new folder keeps
    Conflict,   // a value the new kind refuses: the shipped value stays
  };

  // One line of the plan. name is a parameter, the active flag ("active")
  // or a file (relative to the folder, '/'-separated); language is "" when
  // the value holds for every language. For a kept file, newValue names the
  // shipped version put beside it ("NAME.new"), if any.
  struct Change {
    Kind kind;
    std::string name;
    std::string language;
    std::string oldValue;
    std::string newValue;
    // The parameter is a secret in the old or the new version: whoever
    // shows the plan shows neither value.
    bool secret = false;
  };

  // Plans the upgrade of plugInFolder to the version in newFolder; nothing
  // is written. Raises 100997 (with the reason) when the new version is
  // refused: its config.xml does not load, it has no ID or declares no
  // language, its ID is not the installed one (letter case aside), the
  // plug-in folder is a symbolic link, or newFolder is the plug-in folder
  // or inside it. A plug-in folder that does not load raises its error.
  PlugInUpgrade(const std::string& plugInFolder, const std::string& newFolder);
  ~PlugInUpgrade();
  PlugInUpgrade(const PlugInUpgrade&) = delete;
  PlugInUpgrade& operator=(const PlugInUpgrade&) = delete;

  const std::vector<Change>& Changes() const { return mChanges; }
  // No value dropped and none refused.
  bool Complete() const;

  // Takes the plug-in folder's lock (waiting up to wait; 100996 when it
  // runs out), plans again on what is there now, assembles the new folder
  // and swaps it in. backupFolder "" means PARENT/.tlpp-upgrade; it must be
  // on the plug-in folder's file system. Returns the backup's path. A
  // failure raises the file system's error, removes the assembly and
  // leaves the old folder in place.
  std::string Apply(std::chrono::milliseconds wait, const std::string& backupFolder = "");

  // Swaps the latest backup of plugInFolder back in, under its lock; the
  // version it replaces is kept beside the backups as
  // NAME.after-upgrade-YYYYMMDD-HHMMSS. Returns the backup that came back;
  // raises 100998 when there is none.
  static std::string Rollback(const std::string& plugInFolder, std::chrono::milliseconds wait,
                              const std::string& backupFolder = "");

  // "carried", "converted", "dropped", "new", "kept-file", "conflict".
  static const char* KindName(Kind kind);
  // One of a change's values as anyone may show it: the value, or
  // "(secret)" in its place.
  static std::string Shown(const Change& change, const std::string& value);
  // A change as one line without its line feed: kind, name, language, old
  // and new value (as Shown), tab-separated, with tabs, line breaks and
  // backslashes in them escaped.
  static std::string Line(const Change& change);

 private:
  void Plan();
  void PlanValues(PlugIn& old, PlugIn& next);
  void PlanFiles(PlugIn& next);
  void Assemble(const std::string& assembly) const;

  std::string mFolder;
  std::string mNewFolder;
  std::shared_ptr<PlugIn> mNext;
  std::vector<Change> mChanges;
  // Files taken from the old folder, and shipped files renamed NAME.new.
  std::vector<std::string> mCarriedFiles;
  std::vector<std::string> mShippedBeside;
};

}  // namespace TLPaymentPlugIns
