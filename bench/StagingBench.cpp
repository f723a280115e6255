// Staging speed: a plug-in of 200 files and 50 MB in 20 folders staged with
// CopyPlugInFiles, side by side with `cp -r` of the same tree in the same
// process; and a 1 MB snippet with 1,000 parameter references rendered
// through the reference staging object.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <stdexcept>
#include <string>

#include "plugin/PlugIn.h"
#include "staging/ReferenceStageObject.h"

namespace fs = std::filesystem;
using TLPaymentPlugIns::PlugIn;
using TLPaymentPlugIns::ReferenceStageObject;

namespace {

constexpr int kFolders = 20;
constexpr int kFilesPerFolder = 10;
constexpr std::size_t kFileBytes = 50u * 1000 * 1000 / (kFolders * kFilesPerFolder);
constexpr std::size_t kSnippetBytes = 1000 * 1000;
constexpr int kReferences = 1000;

void Write(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

const char* kLanguages =
    "<Languages><AppLang><Language isoCode=\"de\" default=\"true\"/><Language isoCode=\"en\"/></AppLang>"
    "</Languages>";

// The benchmark's folders, made once and removed at the end.
class Workspace {
 public:
  Workspace() {
    std::string pattern = (fs::temp_directory_path() / "tlpp-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    root = pattern;
    MakeBigPlugIn();
    MakeSnippetPlugIn();
  }
  ~Workspace() {
    std::error_code ec;
    fs::remove_all(root, ec);
  }

  fs::path root;
  fs::path bigPlugIn;
  fs::path snippetPlugIn;
  std::string snippet;

 private:
  // 20 folders of 10 files each under data/, declared for staging.
  void MakeBigPlugIn() {
    bigPlugIn = root / "big";
    std::mt19937 random(42);
    std::string folders;
    std::string files;
    fs::create_directories(bigPlugIn / "data");
    folders += "<Folder name=\"data\" parentFolder=\"\"/>";
    for (int f = 0; f < kFolders; ++f) {
      const std::string folder = "f" + std::to_string(f);
      fs::create_directory(bigPlugIn / "data" / folder);
      folders += "<Folder name=\"" + folder + "\" parentFolder=\"\\data\"/>";
      for (int i = 0; i < kFilesPerFolder; ++i) {
        std::string bytes(kFileBytes, '\0');
        for (char& c : bytes) c = static_cast<char>(random());
        const std::string name = "data\\" + folder + "\\file" + std::to_string(i) + ".bin";
        Write(bigPlugIn / "data" / folder / ("file" + std::to_string(i) + ".bin"), bytes);
        files += "<File name=\"" + name + "\" remoteFile=\"" + name + "\"/>";
      }
    }
    Write(bigPlugIn / "config.xml", "<P active=\"true\"><ID>Big</ID>" + std::string(kLanguages) + "<Folders>" +
                                        folders + "</Folders><Files>" + files + "</Files></P>");
  }

  // A small plug-in and a 1 MB page with 1,000 references of all three types.
  void MakeSnippetPlugIn() {
    snippetPlugIn = root / "snippet";
    fs::create_directory(snippetPlugIn);
    Write(snippetPlugIn / "config.xml",
          "<P active=\"true\"><ID>Snippet</ID>" + std::string(kLanguages) +
              "<Params><Param name=\"Label\" type=\"text\" localValue=\"true\"><Value lang=\"de\">Rechnung</Value>"
              "<Value lang=\"en\">Invoice</Value></Param>"
              "<Param name=\"Show\" type=\"check\"><Checked>1</Checked></Param>"
              "<Param name=\"Cards\" type=\"GROUP\">"
              "<Param name=\"V\" type=\"check\" optionKey=\"VISA\" optionValue=\"Visa\"><Checked>1</Checked></Param>"
              "<Param name=\"M\" type=\"check\" optionKey=\"MC\" optionValue=\"Master\"><Checked>1</Checked></Param>"
              "</Param></Params></P>");
    const std::string references[] = {
        "<!--#param type=\"text\" name=\"Label\" -->",
        "<!--#param type=\"conditional\" param=\"Show\" value=\"<b>shown</b>\" -->",
        "<!--#param type=\"optionlist\" elems=\"Cards\" -->",
    };
    const std::string filler = "<p class=\"row\">Some text of the page around the references.</p>\n";
    const std::size_t gap = kSnippetBytes / kReferences;
    for (int r = 0; r < kReferences; ++r) {
      std::string chunk = references[r % 3];
      while (chunk.size() + filler.size() <= gap) chunk += filler;
      chunk.append(gap - chunk.size(), ' ');
      snippet += chunk;
    }
  }
};

Workspace& Shared() {
  static Workspace workspace;
  return workspace;
}

void Clear(const fs::path& folder) {
  fs::remove_all(folder);
  fs::create_directory(folder);
}

void BM_CopyPlugInFiles(benchmark::State& state) {
  Workspace& ws = Shared();
  PlugIn plugIn;
  plugIn.ConfigPath(ws.bigPlugIn.string());
  const fs::path stage = ws.root / "stage";
  for (auto _ : state) {
    state.PauseTiming();
    Clear(stage);
    state.ResumeTiming();
    plugIn.CopyPlugInFiles(stage.string(), nullptr);
  }
  if (!fs::exists(stage / "data/f19/file9.bin")) state.SkipWithError("staging wrote nothing");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kFolders * kFilesPerFolder *
                          static_cast<int64_t>(kFileBytes));
}

void BM_CpR(benchmark::State& state) {
  Workspace& ws = Shared();
  const fs::path stage = ws.root / "stage-cp";
  const std::string command = "cp -r '" + (ws.bigPlugIn / "data").string() + "' '" + stage.string() + "/'";
  for (auto _ : state) {
    state.PauseTiming();
    Clear(stage);
    state.ResumeTiming();
    if (std::system(command.c_str()) != 0) state.SkipWithError("cp -r failed");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kFolders * kFilesPerFolder *
                          static_cast<int64_t>(kFileBytes));
}

void BM_RenderSnippet(benchmark::State& state) {
  Workspace& ws = Shared();
  PlugIn plugIn;
  plugIn.ConfigPath(ws.snippetPlugIn.string());
  ReferenceStageObject stageObj(plugIn, "en");
  for (auto _ : state) {
    std::string text = ws.snippet;
    stageObj.ParseSnippet(text, 1);
    benchmark::DoNotOptimize(stageObj.PCode());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(ws.snippet.size()));
}

// Staging and cp -r take turns, so that both meet the same machine.
BENCHMARK(BM_CopyPlugInFiles)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3);
BENCHMARK(BM_CpR)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3);
BENCHMARK(BM_RenderSnippet)->Unit(benchmark::kMillisecond);

// Keeps the mean time of each benchmark for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "mean") continue;
      if (run.iterations == 0 || run.error_occurred) continue;
      const std::string name = run.run_name.function_name;
      const double seconds = run.real_accumulated_time / static_cast<double>(run.iterations);
      if (run.run_type == Run::RT_Aggregate || mSeconds.count(name) == 0) mSeconds[name] = seconds;
    }
  }
  double Seconds(const std::string& name) const {
    const auto it = mSeconds.find(name);
    return it == mSeconds.end() ? 0 : it->second;
  }

 private:
  std::map<std::string, double> mSeconds;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double staging = reporter.Seconds("BM_CopyPlugInFiles");
  const double cp = reporter.Seconds("BM_CpR");
  const double render = reporter.Seconds("BM_RenderSnippet");
  std::printf(
      "\nstaging 200 files / 50 MB in 20 folders: %.1f ms; cp -r of the same tree: %.1f ms; ratio %.2f "
      "(at most 1.10)\n",
      staging * 1e3, cp * 1e3, cp > 0 ? staging / cp : 0.0);
  if (render > 0) {
    std::printf(
        "rendering a 1 MB snippet with %d references: %.1f MB/s (at least 400; 50 before the selection engine)\n",
        kReferences, static_cast<double>(Shared().snippet.size()) / render / 1e6);
  }
  benchmark::Shutdown();
  return 0;
}
