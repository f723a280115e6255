// Endurance figures, measured rather than checked: a thousand open/close
// cycles of the dialog on one plug-in (resident memory and open
// descriptors before and after), and saves killed with SIGKILL at random
// moments (every round must leave the old or the new file whole).
//
//   endurance_bench [--cycles N] [--kills N]
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <sstream>
#include <string>

#include "ResidentMemory.h"
#include "platform/XmlDocument.h"
#include "plugin/PlugIn.h"
#include "support/InstalledFrontend.h"
#include "support/ProcessStats.h"
#include "support/ScriptedFrontend.h"

namespace fs = std::filesystem;
using testing_support::OpenDescriptors;

namespace {

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// Opens and closes the dialog on a copy of the invoice sample, OK every
// third time, in two display languages.
int DialogCycles(const fs::path& work, int count) {
  fs::copy(fs::path(TLPP_SAMPLES_DIR) / "invoice", work / "invoice", fs::copy_options::recursive);
  auto frontend = std::make_shared<testing_support::ScriptedFrontend>();
  const testing_support::InstalledFrontend installed(frontend);
  TLPaymentPlugIns::PlugIn plugIn;
  plugIn.ConfigPath((work / "invoice").string());
  const auto cycles = [&](int n) {
    for (int i = 0; i < n; ++i) {
      frontend->script = [i](testing_support::ScriptedFrontend& user) {
        if (i % 3 == 0) user.PressOk();
        else user.PressCancel();
      };
      plugIn.ShowConfigDialogue(i % 2 ? "en" : "de", "de");
    }
  };
  cycles(100);  // the libraries' caches settle first
  const long resident = ResidentKiB();
  const long descriptors = OpenDescriptors();
  cycles(count);
  std::printf("%-44s resident %+ld KiB, descriptors %ld -> %ld\n",
              (std::to_string(count) + " dialog open/close cycles").c_str(), ResidentKiB() - resident, descriptors,
              OpenDescriptors());
  return OpenDescriptors() == descriptors ? 0 : 1;
}

std::string LargeDocument(char fill) {
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<P active=\"true\">\n";
  for (int i = 0; i < 4000; ++i)
    xml += "  <Param name=\"p" + std::to_string(i) + "\">" + std::string(40, fill) + "</Param>\n";
  return xml + "</P>\n";
}

// Saves two documents in turn until killed.
[[noreturn]] void SaveForever(const std::string& path) {
  TLPaymentPlugIns::XmlDocument a;
  TLPaymentPlugIns::XmlDocument b;
  if (!a.load(path + ".a") || !b.load(path + ".b")) _exit(3);
  for (;;) {
    a.save(path);
    b.save(path);
  }
}

int KilledSaves(const fs::path& work, int rounds) {
  const std::string path = (work / "config.xml").string();
  const std::string a = LargeDocument('a');
  const std::string b = LargeDocument('b');
  Write(path, a);
  Write(path + ".a", a);
  Write(path + ".b", b);
  std::mt19937 random(20261205);
  std::uniform_int_distribution<int> delayMicros(0, 20000);
  int torn = 0;
  for (int round = 0; round < rounds; ++round) {
    const pid_t child = fork();
    if (child < 0) return 1;
    if (child == 0) SaveForever(path);
    usleep(static_cast<useconds_t>(delayMicros(random)));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    const std::string now = Read(path);
    if (now != a && now != b) ++torn;
  }
  // A temporary file left by a kill never stands in the way of the next save.
  TLPaymentPlugIns::XmlDocument doc;
  const bool saved = doc.load(path) && (doc.save(path), true);
  std::printf("%-44s %d torn, next save %s\n", (std::to_string(rounds) + " saves killed with SIGKILL").c_str(), torn,
              saved ? "fine" : "FAILED");
  return torn == 0 && saved ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  int cycles = 1000;
  int kills = 200;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--cycles") cycles = std::atoi(argv[i + 1]);
    if (option == "--kills") kills = std::atoi(argv[i + 1]);
  }
  std::string pattern = (fs::temp_directory_path() / "tlpp-endurance-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) return 2;
  const fs::path work(pattern);
  const int failed = DialogCycles(work, cycles) | KilledSaves(work, kills);
  fs::remove_all(work);
  return failed;
}
