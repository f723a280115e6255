#pragma once

#include <filesystem>
#include <string>

#include "support/TempDir.h"

namespace testing_support {

// Makes folder dir/name holding config.xml with the given content, or with
// a fixture of tests/<fixture> when the content names one; returns its path.
inline std::string MakePlugInFolder(const TempDir& dir, const std::string& name, const std::string& configXml) {
  const std::string folder = dir / name;
  std::filesystem::create_directories(folder);
  WriteFile(folder + "/config.xml", configXml);
  return folder;
}

// A document with an ID, the two usual languages and a name in each.
inline std::string MinimalConfig(const std::string& id, const std::string& extra = "") {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<P active=\"true\"><ID>" + id +
         "</ID><Languages><AppLang><Language isoCode=\"de\" default=\"true\"/><Language isoCode=\"en\"/>"
         "</AppLang></Languages><Info><Name lang=\"de\">" +
         id + " de</Name><Name lang=\"en\">" + id + " en</Name></Info>" + extra + "</P>\n";
}

}  // namespace testing_support
