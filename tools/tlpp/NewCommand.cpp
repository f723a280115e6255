// new: a plug-in folder to start from, which the check passes, the dialog
// opens, staging publishes and the schema accepts.
#include <fcntl.h>
#include <algorithm>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "Arguments.h"
#include "Commands.h"
#include "Diagnostics.h"
#include "platform/CaseFold.h"
#include "plugin/ConfigSchema.h"
#include "plugin/ParamModel.h"

namespace tlpp {

namespace {

namespace fs = std::filesystem;
using TLPaymentPlugIns::ParamKind;
using TLPaymentPlugIns::ParamType;
namespace schema = TLPaymentPlugIns::schema;

constexpr std::size_t kMaxId = 64;
constexpr const char* kInstalledSchema = "/usr/share/tlpaymentplugins/config.xsd";

bool IsWordCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

// An ID becomes a folder name, a stage folder name and part of queries: a
// word of letters, digits, "_" and "-".
void CheckId(const std::string& id) {
  if (id.empty() || id.size() > kMaxId || !std::all_of(id.begin(), id.end(), IsWordCharacter)) {
    throw UsageError("ID '" + id + "' is not 1 to " + std::to_string(kMaxId) + " letters, digits, '_' or '-'");
  }
}

std::vector<std::string> Languages(const Arguments& args) {
  const std::string given = args.option(kLangs, "de,en");
  std::vector<std::string> langs;
  std::size_t start = 0;
  for (std::size_t end; start <= given.size(); start = end + 1) {
    end = std::min(given.find(',', start), given.size());
    langs.push_back(given.substr(start, end - start));
  }
  std::set<std::string> seen;
  for (const std::string& lang : langs) {
    if (lang.empty() || !std::all_of(lang.begin(), lang.end(), IsWordCharacter)) {
      throw UsageError("--langs '" + given + "' holds an empty code or one that is not a word");
    }
    if (!seen.insert(lang).second) throw UsageError("--langs '" + given + "' names " + lang + " twice");
  }
  return langs;
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

// One element per language: <Tag lang="xx"ATTRS>[xx] TEXT</Tag>.
std::string PerLanguage(const std::vector<std::string>& langs, const std::string& indent, const std::string& tag,
                        const std::string& attributes, const std::string& text) {
  std::string out;
  for (const std::string& lang : langs) {
    out += indent + "<" + tag + attributes + " lang=\"" + lang + "\">[" + lang + "] " + text + "</" + tag + ">\n";
  }
  return out;
}

// A shown parameter's opening tag, its type written as the model names it
// (a group in capitals, as the option list's query finds it).
std::string Param(const std::string& indent, const char* name, ParamType type, const std::string& attributes) {
  const std::string written = type == ParamType::Group ? schema::kGroupType : ParamKind::Of(type).Name();
  return indent + "<Param name=\"" + name + "\" type=\"" + written + "\" readOnly=\"false\"" + attributes + ">\n";
}

const std::pair<const char*, const char*> kCaptions[] = {
    {"FormCaption", "Title of the dialog window"},
    {"FormTabMainCaption", "Main tab"},
    {"FormTabAdvancedCaption", "Settings tab"},
    {"FormTabReportCaption", "Files tab"},
    {"FormTabMainLabelInfo", "Label above the plug-in's name"},
    {"FormTabMainPlugInActive", "Offer this payment method in the shop"},
    {"FormCmdOkCaption", "OK"},
    {"FormCmdCancelCaption", "Cancel"},
    {"FormCmdApplyCaption", "Apply"},
    {"FormTabAdvancedSettingsCaption", "Heading above the settings"},
    {"FormTabReportReportCaption", "Heading above the required files"},
    {"FormTabReportSuccessCaption", "Present"},
    {"FormTabReportFailureCaption", "Missing"},
};

std::string ConfigXml(const std::string& id, const std::string& folder, const std::string& name,
                      const std::vector<std::string>& langs, const std::string& schema) {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<PaymentPlugIn xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\n"
      "               xsi:noNamespaceSchemaLocation=\"" +
      Escaped(schema) +
      "\"\n"
      "               active=\"false\" userDefined=\"true\">\n"
      "  <ID>" +
      id + "</ID>\n  <Languages>\n    <AppLang>\n";
  for (const std::string& lang : langs) {
    xml += "      <Language isoCode=\"" + lang + "\"" + (lang == langs.front() ? " default=\"true\"" : "") + "/>\n";
  }
  xml += "    </AppLang>\n  </Languages>\n  <Info>\n";
  for (const std::string& lang : langs) xml += "    <Name lang=\"" + lang + "\">" + Escaped(name) + "</Name>\n";
  xml += PerLanguage(langs, "    ", "Copyright", "", "Copyright line: year and maker");
  xml += PerLanguage(langs, "    ", "Desc", "", "What the payment method does, for the shop owner");
  xml += PerLanguage(langs, "    ", "ProviderURL", " caption=\"Provider's web site\"", "https://example.com/");
  xml += "  </Info>\n  <Captions>\n";
  for (const auto& [key, text] : kCaptions) {
    xml += PerLanguage(langs, "    ", "Caption", std::string(" name=\"") + key + "\"", text);
  }
  xml += "  </Captions>\n  <Params>\n";
  xml += Param("    ", "Label", ParamType::Text, " localValue=\"true\"");
  xml += PerLanguage(langs, "      ", "Desc", "", "Name of the payment method in the shop");
  xml += PerLanguage(langs, "      ", "Value", "", "Payment method");
  xml += std::string("    </Param>\n") + Param("    ", "Note", ParamType::Multi, " localValue=\"true\"");
  xml += PerLanguage(langs, "      ", "Desc", "", "Note shown at checkout");
  xml += PerLanguage(langs, "      ", "Value", "", "Thank you for your order.");
  xml += std::string("    </Param>\n") + Param("    ", "Days", ParamType::Integer, " localValue=\"false\"");
  xml += PerLanguage(langs, "      ", "Desc", "", "Days until payment is due");
  xml += std::string("      <Value>14</Value>\n    </Param>\n") +
         Param("    ", "Fee", ParamType::Currency, " localValue=\"false\"");
  xml += PerLanguage(langs, "      ", "Desc", "", "Fee for this payment method");
  xml += std::string("      <Value>1</Value>\n    </Param>\n") + Param("    ", "ShowNote", ParamType::Check, "");
  xml += PerLanguage(langs, "      ", "Desc", "", "Show the note at checkout");
  xml += std::string("      <Checked>1</Checked>\n    </Param>\n") + Param("    ", "Options", ParamType::Group, "");
  xml += PerLanguage(langs, "      ", "Caption", "", "Options the customer chooses from");
  xml += Param("      ", "OptionA", ParamType::Check, " optionKey=\"A\" optionValue=\"Option A\"");
  xml += PerLanguage(langs, "        ", "Desc", "", "Offer option A");
  xml += std::string("        <Checked>1</Checked>\n      </Param>\n") +
         Param("      ", "OptionB", ParamType::Check, " optionKey=\"B\" optionValue=\"Option B\"");
  xml += PerLanguage(langs, "        ", "Desc", "", "Offer option B");
  xml +=
      "        <Checked>0</Checked>\n      </Param>\n    </Param>\n  </Params>\n"
      "  <Folders>\n    <Folder name=\"" +
      folder +
      "\" parentFolder=\"\"/>\n  </Folders>\n"
      "  <Files>\n    <File name=\"plugin.html\" remoteFile=\"" +
      folder +
      "\\plugin.html\" parse=\"true\"/>\n"
      "  </Files>\n  <Ressources>\n    <Files>\n      <File name=\"logo.bmp\"/>\n    </Files>\n  </Ressources>\n"
      "</PaymentPlugIn>\n";
  return xml;
}

constexpr const char* kSnippet =
    "<!-- The page snippet: each reference is replaced by what it names when the shop is published. -->\n"
    "<div class=\"payment\">\n"
    "  <h3><!--#param type=\"text\" name=\"Label\" --></h3>\n"
    "  <p>Due in <!--#param type=\"text\" name=\"Days\" --> days; fee <!--#param type=\"text\" name=\"Fee\" -->.</p>\n"
    "  <p><!--#param type=\"conditional\" param=\"ShowNote\" value=\"Note:\" --> "
    "<!--#param type=\"text\" name=\"Note\" --></p>\n"
    "  <select name=\"option\"><!--#param type=\"optionlist\" elems=\"Options\" --></select>\n"
    "</div>\n";

void Put16(std::string& out, uint16_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8);
}

void Put32(std::string& out, uint32_t value) {
  Put16(out, static_cast<uint16_t>(value & 0xFFFF));
  Put16(out, static_cast<uint16_t>(value >> 16));
}

// A square picture of one colour, 32 bits a pixel, bottom-up: the
// information header and pixels of a BMP or an icon (whose height counts
// its mask too).
std::string Dib(uint32_t side, uint32_t colour, bool icon) {
  std::string out;
  Put32(out, 40);
  Put32(out, side);
  Put32(out, icon ? side * 2 : side);
  Put16(out, 1);
  Put16(out, 32);
  for (int i = 0; i < 6; ++i) Put32(out, i == 1 ? side * side * 4 : 0);
  for (uint32_t i = 0; i < side * side; ++i) Put32(out, colour);
  // An icon's mask: every pixel shown, rows padded to four bytes.
  if (icon) out += std::string(side * ((side + 31) / 32) * 4, '\0');
  return out;
}

std::string Bitmap(uint32_t side, uint32_t colour) {
  const std::string dib = Dib(side, colour, false);
  std::string out = "BM";
  Put32(out, static_cast<uint32_t>(14 + dib.size()));
  Put32(out, 0);
  Put32(out, 14 + 40);
  return out + dib;
}

std::string Icon(uint32_t side, uint32_t colour) {
  const std::string dib = Dib(side, colour, true);
  std::string out;
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, 1);
  out += static_cast<char>(side);
  out += static_cast<char>(side);
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, static_cast<uint32_t>(dib.size()));
  Put32(out, 6 + 16);
  return out + dib;
}

void Write(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

int RunNew(const Arguments& args) {
  const std::string id = args.positional(0);
  CheckId(id);
  const std::vector<std::string> langs = Languages(args);
  const std::string folder = TLPaymentPlugIns::CaseFold::Lower(id);
  const fs::path root = args.positional(1, ".");
  const fs::path target = root / folder;
  std::error_code ec;
  if (!fs::is_directory(root, ec)) throw UsageError("ROOT '" + root.string() + "' is not a folder");
  if (fs::exists(fs::symlink_status(target, ec))) throw UsageError(target.string() + " exists already");

  // Everything is written into a scratch folder beside the target, which
  // then takes the target's name: a failure leaves nothing behind.
  std::string scratch = (root / ("." + folder + ".new-XXXXXX")).string();
  if (mkdtemp(scratch.data()) == nullptr) throw std::runtime_error("cannot create a folder in " + root.string());
  try {
    const fs::path schema = fs::exists(kInstalledSchema, ec) ? fs::path(kInstalledSchema) : fs::absolute(SchemaFile());
    Write(fs::path(scratch) / "config.xml", ConfigXml(id, folder, args.option(kName, id), langs, schema.string()));
    Write(fs::path(scratch) / "plugin.html", kSnippet);
    Write(fs::path(scratch) / "logo.bmp", Bitmap(64, 0xFF2E7D32));
    Write(fs::path(scratch) / "plugin.ico", Icon(16, 0xFF2E7D32));
    fs::permissions(scratch, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                 fs::perms::others_read | fs::perms::others_exec);
    // Refused when the target appeared meanwhile.
    if (renameat2(AT_FDCWD, scratch.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) != 0) {
      throw std::runtime_error("cannot create " + target.string() + ": " + std::strerror(errno));
    }
  } catch (...) {
    fs::remove_all(scratch, ec);
    throw;
  }
  std::printf("created %s\n", target.string().c_str());
  return kExitOk;
}

}  // namespace tlpp
