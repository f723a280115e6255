// Load: a thousand open/close cycles of the dialog on one plug-in leave
// memory and open descriptors where they were.
#include "DialogTest.h"
#include "support/ProcessStats.h"

using testing_support::OpenDescriptors;
using testing_support::ResidentKiB;

TEST_F(DialogTest, ThousandOpenCloseCyclesKeepMemoryAndDescriptorsFlat) {
  Load("plugin.xml");
  const auto cycles = [&](int count) {
    for (int i = 0; i < count; ++i) {
      Show(i % 2 ? "en" : "de", "de", [&](testing_support::ScriptedFrontend& user) {
        if (i % 3 == 0) user.PressOk();
        else user.PressCancel();
      });
    }
  };
  cycles(100);  // caches of the libraries used settle first
  const long resident = ResidentKiB();
  const long descriptors = OpenDescriptors();
  cycles(1000);
  const long growth = ResidentKiB() - resident;
  EXPECT_EQ(OpenDescriptors(), descriptors);
#ifndef __SANITIZE_ADDRESS__  // the sanitizer's quarantine grows on purpose; it checks leaks itself
  EXPECT_LT(growth, 1024) << "resident memory grew over 1,000 cycles";
#else
  static_cast<void>(growth);
#endif
  EXPECT_TRUE(messages.empty());
}
