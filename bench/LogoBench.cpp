// Peak memory of the Qt dialog showing a logo whose header claims a huge
// picture: the frontend must fit it into the box without decoding it whole.
// Prints the growth of the peak resident set and exits 1 above 100 MiB.
//
//   logo_bench
#include <sys/resource.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "dialog/qt/QtDialogFrontend.h"
#include "plugin/PlugIn.h"
#include "support/InstalledFrontend.h"

namespace fs = std::filesystem;

namespace {

constexpr long kLimitKiB = 100 * 1024;

long PeakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  const fs::path work = fs::temp_directory_path() / ("tlpp-logo-bench-" + std::to_string(getpid()));
  fs::create_directories(work);
  fs::copy(fs::path(TLPP_SAMPLES_DIR) / "invoice", work / "invoice", fs::copy_options::recursive);
  // A PNG, read by its content whatever the file's name.
  fs::copy_file(TLPP_HUGE_LOGO, work / "invoice/logo.bmp", fs::copy_options::overwrite_existing);

  const auto frontend = std::make_shared<TLPaymentPlugIns::QtDialogFrontend>();
  const testing_support::InstalledFrontend installed(frontend);
  frontend->ScreenshotTo((work / "shots").string());  // shows, shoots and closes
  TLPaymentPlugIns::PlugIn plugIn;
  plugIn.ConfigPath((work / "invoice").string());
  const long before = PeakKiB();
  plugIn.ShowConfigDialogue("de", "de");
  const long growth = PeakKiB() - before;
  const bool shown = fs::exists(work / "shots/main.png");
  fs::remove_all(work);

  std::printf("%-44s peak resident %+ld KiB (limit %ld)%s\n", "dialog with a 20000 x 20000 logo", growth, kLimitKiB,
              shown ? "" : ", no screenshot");
  return growth < kLimitKiB && shown ? 0 : 1;
}
