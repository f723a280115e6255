#pragma once

// Realistic plug-in folders for the benchmarks and load checks: a config.xml
// of about 8 KB with 30 parameters (texts per language, shared texts,
// amounts, checks and one group of checks), captions and descriptions in
// German and English, and a page snippet.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace bench_data {

constexpr int kParams = 30;

// The name of parameter i (0 to kParams - 1) of every generated plug-in.
inline std::string ParamName(int i) { return "Setting" + std::to_string(i); }

inline std::string ConfigXml(int index) {
  const std::string id = "BenchPlugIn" + std::to_string(index);
  std::string x;
  x.reserve(9000);
  x += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  x += "<PaymentPlugIn active=\"" + std::string(index % 3 ? "true" : "false") + "\" userDefined=\"false\">\n";
  x += "  <ID>" + id + "</ID>\n";
  x += "  <Languages>\n    <AppLang>\n      <Language isoCode=\"de\" default=\"true\"/>\n"
       "      <Language isoCode=\"en\"/>\n    </AppLang>\n  </Languages>\n";
  x += "  <Info>\n    <Name lang=\"de\">Zahlungsart " + std::to_string(index) + "</Name>\n";
  x += "    <Name lang=\"en\">Payment method " + std::to_string(index) + "</Name>\n";
  x += "    <Copyright lang=\"de\">© 2024 Weinhandlung Böhm &amp; Söhne</Copyright>\n";
  x += "    <Copyright lang=\"en\">© 2024 Böhm &amp; Sons wine merchants</Copyright>\n";
  x += "    <Desc lang=\"de\">Ihre Kunden bezahlen bequem; die Daten gehen direkt an Ihren Zahlungsdienst.</Desc>\n";
  x += "    <Desc lang=\"en\">Your customers pay with ease; the data goes straight to your payment service.</Desc>\n";
  x += "    <ProviderURL lang=\"de\" caption=\"Zum Zahlungsdienst\">https://pay.example.com/de</ProviderURL>\n";
  x += "    <ProviderURL lang=\"en\" caption=\"To the payment service\">https://pay.example.com/en</ProviderURL>\n";
  x += "  </Info>\n  <Captions>\n";
  const char* captions[][3] = {{"FormCaption", "Zahlungsart", "Payment method"},
                               {"FormTabMainCaption", "Allgemein", "General"},
                               {"FormTabAdvancedCaption", "Erweitert", "Advanced"},
                               {"FormTabReportCaption", "Bericht", "Report"},
                               {"FormTabMainLabelInfo", "Zahlungsart-Plug-In", "Payment plug-in"},
                               {"FormTabMainPlugInActive", "Im Shop anbieten", "Offer in the shop"},
                               {"FormCmdOkCaption", "OK", "OK"},
                               {"FormCmdCancelCaption", "Abbrechen", "Cancel"},
                               {"FormCmdApplyCaption", "Übernehmen", "Apply"},
                               {"FormTabAdvancedSettingsCaption", "Einstellungen", "Settings"},
                               {"FormTabReportReportCaption", "Benötigte Dateien", "Required files"},
                               {"FormTabReportSuccessCaption", "OK", "OK"},
                               {"FormTabReportFailureCaption", "Datei fehlt", "File missing"}};
  for (const auto& c : captions) {
    x += "    <Caption name=\"" + std::string(c[0]) + "\" lang=\"de\">" + c[1] + "</Caption>\n";
    x += "    <Caption name=\"" + std::string(c[0]) + "\" lang=\"en\">" + c[2] + "</Caption>\n";
  }
  x += "  </Captions>\n  <Params>\n";
  for (int i = 0; i < kParams; ++i) {
    const std::string name = ParamName(i);
    const std::string desc = "      <Desc lang=\"de\">Einstellung " + std::to_string(i) +
                             "</Desc>\n      <Desc lang=\"en\">Setting " + std::to_string(i) + "</Desc>\n";
    switch (i % 5) {
      case 0:
        x += "    <Param name=\"" + name + "\" type=\"text\" readOnly=\"false\" localValue=\"true\">\n" + desc;
        x += "      <Value lang=\"de\">Wert " + std::to_string(i) + " für den Shop</Value>\n";
        x += "      <Value lang=\"en\">Value " + std::to_string(i) + " for the shop</Value>\n    </Param>\n";
        break;
      case 1:
        x += "    <Param name=\"" + name + "\" type=\"text\" readOnly=\"false\" localValue=\"false\">\n" + desc;
        x += "      <Value>https://pay.example.com/" + id + "/" + std::to_string(i) + "</Value>\n    </Param>\n";
        break;
      case 2:
        x += "    <Param name=\"" + name + "\" type=\"currency\" readOnly=\"false\" localValue=\"false\">\n" + desc;
        x += "      <Value>" + std::to_string(i) + ",50</Value>\n    </Param>\n";
        break;
      case 3:
        x += "    <Param name=\"" + name + "\" type=\"check\" readOnly=\"false\">\n" + desc;
        x += "      <Checked>" + std::to_string(i % 2) + "</Checked>\n    </Param>\n";
        break;
      default:
        x += "    <Param name=\"" + name + "\" type=\"integer\" readOnly=\"false\" localValue=\"false\">\n" + desc;
        x += "      <Value>" + std::to_string(i * 7) + "</Value>\n    </Param>\n";
        break;
    }
  }
  x += "  </Params>\n  <Folders>\n    <Folder name=\"" + id + "\" parentFolder=\"\"/>\n  </Folders>\n";
  x +=
      "  <Files>\n    <File name=\"plugin.html\" remoteFile=\"" + id + "\\plugin.html\" parse=\"true\"/>\n  </Files>\n";
  x += "</PaymentPlugIn>\n";
  return x;
}

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

// Makes count plug-in folders plugin00000, plugin00001, ... under root.
inline void MakePlugIns(const std::filesystem::path& root, int count) {
  std::filesystem::create_directories(root);
  for (int i = 0; i < count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "plugin%05d", i);
    const std::filesystem::path folder = root / name;
    std::filesystem::create_directory(folder);
    WriteFile(folder / "config.xml", ConfigXml(i));
    WriteFile(folder / "plugin.html", "<p><!--#param type=\"text\" name=\"" + ParamName(0) + "\" --></p>\n");
  }
}

}  // namespace bench_data
