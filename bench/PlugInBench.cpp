// Scan, lookup, memory and dialog figures, each measured in the same run
// next to its baseline: xmllint --noout and libxml2's own parse and XPath
// (the floor), and an ElementTree script (the peer). Medians of several
// runs on a warm cache; the ratios are printed, never asserted.
//
//   plugin_bench [--quick] [--plot-data FILE]
#include <fcntl.h>
#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "PlugInGenerator.h"
#include "ResidentMemory.h"
#include "catalogue/PlugIns.h"
#include "platform/SelectionEngine.h"
#include "platform/XmlNodeAccess.h"
#include "plugin/PlugIn.h"
#include "support/InstalledFrontend.h"
#include "support/ProcessStats.h"
#include "support/ScriptedFrontend.h"

extern char** environ;

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using TLPaymentPlugIns::PlugIn;
using TLPaymentPlugIns::PlugIns;
using testing_support::OpenDescriptors;

namespace {

double Seconds(const std::function<void()>& work) {
  const auto start = Clock::now();
  work();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double MedianOf(int runs, const std::function<void()>& work) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) times.push_back(Seconds(work));
  return Median(times);
}

// Runs a program without a shell; its standard output is returned.
std::string Run(const std::vector<std::string>& args) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) throw std::runtime_error("pipe failed");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
  posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
    throw std::runtime_error("cannot run " + args[0]);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  std::string out;
  char buffer[4096];
  for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;) out.append(buffer, static_cast<size_t>(n));
  close(pipeFds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error(args[0] + " failed");
  return out;
}

std::vector<std::string> ConfigFiles(const fs::path& root) {
  std::vector<std::string> files;
  for (const auto& entry : fs::directory_iterator(root)) files.push_back((entry.path() / "config.xml").string());
  std::sort(files.begin(), files.end());
  return files;
}

// The library's scan: the catalogue of the root, and each plug-in's ID.
void Scan(const fs::path& root) {
  PlugIns plugIns;
  plugIns.PlugInsPath(root.string());
  std::size_t total = 0;
  for (const auto& plugIn : plugIns) total += plugIn->ID().size();
  if (total == 0) throw std::runtime_error("scan found nothing");
}

// In a fresh process (plugin_bench --resident MODE WARMUP ROOT): loads the
// warm-up root and keeps it, then prints the growth of the resident set
// while ROOT is loaded and kept, in KiB.
int ResidentChild(const std::string& mode, const fs::path& warmUp, const fs::path& root) {
  const auto load = [&](const fs::path& folder) {
    if (mode == "library") {
      auto* plugIns = new PlugIns;  // kept until exit
      plugIns->PlugInsPath(folder.string());
    } else {
      for (const std::string& file : ConfigFiles(folder))
        if (!xmlReadFile(file.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_NOENT)) std::exit(1);
    }
  };
  load(warmUp);
  const long before = ResidentKiB();
  load(root);
  std::printf("%ld\n", ResidentKiB() - before);
  return 0;
}

void Row(const std::string& what, double value, const std::string& unit, const std::string& baseline, double baseValue,
         const std::string& target) {
  std::printf("%-44s %10.3f %-4s | %-26s %10.3f %-4s | ratio %6.2f  (target %s)\n", what.c_str(), value, unit.c_str(),
              baseline.c_str(), baseValue, unit.c_str(), value / baseValue, target.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  if (argc == 5 && std::string(argv[1]) == "--resident") return ResidentChild(argv[2], argv[3], argv[4]);
  bool quick = false;
  std::string plotData;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--quick") quick = true;
    if (arg == "--plot-data" && i + 1 < argc) plotData = argv[++i];
  }
  const std::string peer = TLPP_BENCH_PEER;
  std::string pattern = (fs::temp_directory_path() / "tlpp-plugin-bench-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  const fs::path work = pattern;

  // Scans: the library, xmllint --noout, the script; 100 to 10,000 plug-ins.
  std::printf("== Scan (catalogue + every ID), medians, warm cache\n");
  std::ofstream plot;
  if (!plotData.empty()) {
    plot.open(plotData);
    plot << "# plug-ins  library_s  xmllint_s  python_s\n";
  }
  const std::vector<int> counts = quick ? std::vector<int>{100, 1000} : std::vector<int>{100, 1000, 3000, 10000};
  double perPlugIn100 = 0;
  for (const int count : counts) {
    const fs::path root = work / ("scan" + std::to_string(count));
    bench_data::MakePlugIns(root, count);
    std::vector<std::string> xmllint{"xmllint", "--noout"};
    for (const std::string& file : ConfigFiles(root)) xmllint.push_back(file);
    const int runs = count >= 10000 ? 3 : 7;
    Scan(root);
    Run(xmllint);
    double library = 0, floor = 0;
    std::vector<double> libraryTimes, floorTimes;
    for (int i = 0; i < runs; ++i) {  // in turns, so both meet the same machine
      libraryTimes.push_back(Seconds([&] { Scan(root); }));
      floorTimes.push_back(Seconds([&] { Run(xmllint); }));
    }
    library = Median(libraryTimes);
    floor = Median(floorTimes);
    const double script = std::stod(Run({"/usr/bin/python3", peer, "scan", root.string(), std::to_string(runs)}));
    const std::string n = std::to_string(count);
    Row("scan " + n + " plug-ins", library * 1000, "ms", "xmllint --noout", floor * 1000, "<= 1.3 at 1000");
    Row("scan " + n + " plug-ins", library * 1000, "ms", "python3 ElementTree", script * 1000, "<= 0.33 at 1000");
    if (count == 100) perPlugIn100 = library / count;
    std::printf("%-44s %10.1f us a plug-in (%.2f times the rate at 100)\n", "", library / count * 1e6,
                library / count / perPlugIn100);
    if (plot.is_open()) plot << count << ' ' << library << ' ' << floor << ' ' << script << '\n';
    if (count > 1000) fs::remove_all(root);
  }

  // GetParam on one 8 KB document against libxml2's XPath of the same
  // query, and against the script.
  std::printf("\n== GetParam on one document of %zu bytes (30 names in turn, store language en)\n",
              bench_data::ConfigXml(0).size());
  const fs::path one = work / "scan1000" / "plugin00000";
  PlugIn plugIn;
  plugIn.ConfigPath(one.string());
  const int calls = 30000;
  std::vector<std::string> names;
  std::string nameList;
  for (int i = 0; i < bench_data::kParams; ++i) {
    names.push_back(bench_data::ParamName(i));
    nameList += (i ? "," : "") + names.back();
  }
  std::size_t sink = 0;
  const double getParam = MedianOf(5,
                                   [&] {
                                     for (int i = 0; i < calls; ++i)
                                       sink += plugIn.GetParam(names[i % names.size()], "en").size();
                                   }) /
                          calls;
  xmlDocPtr doc = xmlReadFile((one / "config.xml").c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_NOENT);
  xmlXPathContextPtr context = xmlXPathNewContext(doc);
  std::vector<std::string> queries;
  for (const std::string& name : names) queries.push_back("//Param[@name='" + name + "']");
  const double xpath = MedianOf(5,
                                [&] {
                                  for (int i = 0; i < calls; ++i) {
                                    xmlXPathObjectPtr result = xmlXPathEvalExpression(
                                        reinterpret_cast<const xmlChar*>(queries[i % queries.size()].c_str()), context);
                                    sink += static_cast<std::size_t>(result->nodesetval->nodeNr);
                                    xmlXPathFreeObject(result);
                                  }
                                }) /
                       calls;
  // Where GetParam's time goes: its language check is a second search of
  // the whole document, as costly as the parameter's own.
  const double languageQuery =
      MedianOf(5,
               [&] {
                 for (int i = 0; i < calls; ++i) {
                   xmlXPathObjectPtr result = xmlXPathEvalExpression(
                       reinterpret_cast<const xmlChar*>("//Languages/AppLang/Language[@isoCode='en']"), context);
                   sink += static_cast<std::size_t>(result->nodesetval->nodeNr);
                   xmlXPathFreeObject(result);
                 }
               }) /
      calls;
  xmlXPathFreeContext(context);
  xmlFreeDoc(doc);
  const double script =
      std::stod(Run({"/usr/bin/python3", peer, "getparam", (one / "config.xml").string(), nameList, "30000"}));
  Row("GetParam", getParam * 1e6, "us", "libxml2 XPath //Param", xpath * 1e6, "<= 1.2");
  Row("GetParam", getParam * 1e6, "us", "python3 ElementTree", script, "<= 0.1");
  Row("GetParam", getParam * 1e6, "us", "libxml2 both searches", (xpath + languageQuery) * 1e6, "(explains)");

  // The first lookup of each name right after loading, nothing remembered
  // yet: 30 names on a freshly loaded document, the load not counted.
  std::vector<double> firstTimes;
  for (int round = 0; round < 200; ++round) {
    PlugIn fresh;
    fresh.ConfigPath(one.string());
    firstTimes.push_back(Seconds([&] {
                           for (const std::string& name : names) sink += fresh.GetParam(name, "en").size();
                         }) /
                         static_cast<double>(names.size()));
  }
  const double firstLookup = Median(firstTimes);
  Row("GetParam, first lookup after loading", firstLookup * 1e6, "us", "python3 ElementTree", script, "<= 0.33");

  // What the remembered answers of that document cost, against what a
  // loaded plug-in costs (below).
  const std::size_t remembered = TLPaymentPlugIns::SelectionEngine::Of(
                                     TLPaymentPlugIns::XmlNodeAccess::RawDocument(plugIn.Config().documentElement()))
                                     .footprint();

  // Resident memory of 1,000 loaded plug-ins against 1,000 documents
  // parsed by libxml2 alone, each in a fresh child process.
  std::printf("\n== Resident memory, 1,000 documents held\n");
  const std::string self = fs::canonical("/proc/self/exe");
  const std::string warmUp = (work / "scan100").string(), root1000 = (work / "scan1000").string();
  const double libraryKiB = std::stod(Run({self, "--resident", "library", warmUp, root1000}));
  const double libxmlKiB = std::stod(Run({self, "--resident", "libxml2", warmUp, root1000}));
  Row("KiB a loaded plug-in", libraryKiB / 1000.0, "KiB", "libxml2 document alone", libxmlKiB / 1000.0, "<= 1.2");
  Row("KiB remembered answers, 30 names", static_cast<double>(remembered) / 1024.0, "KiB", "libxml2 document alone",
      libxmlKiB / 1000.0, "< 0.1");

  // The dialog's load on the scripted frontend: a plug-in of 30 parameters.
  std::printf("\n== Dialog\n");
  auto frontend = std::make_shared<testing_support::ScriptedFrontend>();
  frontend->pictures = [](const std::string&) { return TLPaymentPlugIns::PictureSize{}; };
  testing_support::InstalledFrontend installed(frontend);
  std::vector<double> shows;
  for (int i = 0; i < 50; ++i) shows.push_back(Seconds([&] { plugIn.ShowConfigDialogue("en", "en"); }));
  std::printf("%-44s %10.3f ms (target <= 0.3 ms)\n", "open, load and close, 30 parameters", Median(shows) * 1000);

  // Load: 1,000,000 GetParam calls with flat memory and no descriptor growth.
  std::printf("\n== Load\n");
  const int million = quick ? 100000 : 1000000;
  long residentAt10 = 0;
  const long fdsBefore = OpenDescriptors();
  const double loadSeconds = Seconds([&] {
    for (int i = 0; i < million; ++i) {
      sink += plugIn.GetParam(names[static_cast<std::size_t>(i) % names.size()], i % 2 ? "en" : "de").size();
      if (i == million / 10) residentAt10 = ResidentKiB();
    }
  });
  std::printf("%-44s %10.1f s, resident %ld KiB at 10%% and %ld KiB at the end, descriptors %ld -> %ld\n",
              (std::to_string(million) + " GetParam calls").c_str(), loadSeconds, residentAt10, ResidentKiB(),
              fdsBefore, OpenDescriptors());

  fs::remove_all(work);
  return sink == 0 ? 1 : 0;
}
