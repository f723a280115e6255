#include "StageManifest.h"

#include "HostHelpers.h"

#include <openssl/evp.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <set>
#include <sstream>
#include <vector>

#include "platform/Path.h"
#include "plugin/ConfigSchema.h"
#include "plugin/PlugIn.h"

using namespace TLPaymentPlugIns;
namespace fs = std::filesystem;

namespace tlpp {

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
  std::ostringstream manifest;
  const XmlDocument& config = plugIn.Config();
  for (const XmlNode& folder : config.selectNodes(schema::kQueryFolders)) {
    const std::string path = stagePath + Path::FromDocument(AttributeOrEmpty(folder, schema::kParentFolder)) +
                             Path::kSeparator + AttributeOrEmpty(folder, schema::kName);
    const std::string relative = RelativeInside(stagePath, path);
    if (!relative.empty() && fs::is_directory(path)) manifest << "folder    " << relative << "/\n";
  }
  // A destination written twice holds the later file: list it there.
  const XmlNodeList files = config.selectNodes(schema::kQueryFiles);
  std::set<std::string> listed;
  std::vector<std::string> lines;
  for (long i = files.length() - 1; i >= 0; --i) {
    const XmlNode file = files.item(i);
    const XmlNode remote = file.attributes().getNamedItem(schema::kRemoteFile);
    if (!remote) continue;
    const std::string path = Path::Join(stagePath, remote.text());
    const std::string relative = RelativeInside(stagePath, path);
    if (relative.empty() || !fs::is_regular_file(path) || !listed.insert(relative).second) continue;
    const bool rendered = AttributeOrEmpty(file, schema::kParse) == schema::kTrue;
    lines.push_back(std::string(rendered ? "rendered  " : "copied    ") + relative + "  " +
                    std::to_string(fs::file_size(path)) + "  " + Sha256(path) + "\n");
  }
  for (auto line = lines.rbegin(); line != lines.rend(); ++line) manifest << *line;
  return manifest.str();
}

}  // namespace tlpp
