#include "staging/StageManifest.h"

#include <openssl/evp.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <set>
#include <sstream>
#include <vector>

#include "plugin/PlugIn.h"
#include "staging/StagingPlan.h"

namespace TLPaymentPlugIns {

namespace fs = std::filesystem;

std::string StageManifest::Sha256(const std::string& path) {
  std::unique_ptr<std::FILE, decltype(&std::fclose)> file(std::fopen(path.c_str(), "rb"), std::fclose);
  std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(), EVP_MD_CTX_free);
  if (!file || !context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1) return {};
  std::vector<unsigned char> buffer(1 << 16);
  for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), file.get())) > 0;) {
    EVP_DigestUpdate(context.get(), buffer.data(), n);
  }
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  EVP_DigestFinal_ex(context.get(), digest, &length);
  std::string hex;
  for (unsigned int i = 0; i < length; ++i) {
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02x", digest[i]);
    hex += pair;
  }
  return hex;
}

std::string StageManifest::Describe(PlugIn& plugIn, const std::string& stagePath) {
  const StagingPlan plan(plugIn.Config(), plugIn.ConfigPath(), stagePath);
  std::ostringstream manifest;
  // The folders staging created, or found, inside the stage.
  for (const StagingPlan::Folder& folder : plan.Folders()) {
    if (!folder.path.Formed() || !fs::is_directory(folder.path.Get())) continue;
    manifest << "folder    " << plan.Stage().Relative(folder.path.Get()) << "/\n";
  }
  // The files, each destination once, for the last file written there.
  const std::vector<StagingPlan::File> files = plan.Files();
  std::set<std::string> listed;
  std::vector<std::string> lines;
  for (auto file = files.rbegin(); file != files.rend(); ++file) {
    if (!file->staged || !file->destination.Formed()) continue;
    const std::string& path = file->destination.Get();
    const std::string relative = plan.Stage().Relative(path);
    if (!fs::is_regular_file(path) || !listed.insert(relative).second) continue;
    lines.push_back(std::string(file->rendered ? "rendered  " : "copied    ") + relative + "  " +
                    std::to_string(fs::file_size(path)) + "  " + Sha256(path) + "\n");
  }
  for (auto line = lines.rbegin(); line != lines.rend(); ++line) manifest << *line;
  return manifest.str();
}

}  // namespace TLPaymentPlugIns
