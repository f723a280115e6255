// Saves interrupted by kill -9 at random moments never leave a torn file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "platform/XmlDocument.h"
#include "support/TempDir.h"

using namespace TLPaymentPlugIns;
using namespace testing_support;

namespace {

std::string LargeDocument(char fill) {
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<P active=\"true\">\n";
  for (int i = 0; i < 4000; ++i) xml += "  <Param name=\"p" + std::to_string(i) + "\">" + std::string(40, fill) + "</Param>\n";
  return xml + "</P>\n";
}

// Saves the two documents in turn, forever.
[[noreturn]] void SaveForever(const std::string& path, const std::string& a, const std::string& b) {
  XmlDocument docA;
  XmlDocument docB;
  WriteFile(path + ".a", a);
  WriteFile(path + ".b", b);
  if (!docA.load(path + ".a") || !docB.load(path + ".b")) _exit(3);
  for (;;) {
    docA.save(path);
    docB.save(path);
  }
}

}  // namespace

TEST(CrashSafeSave, KilledSavesLeaveTheOldOrTheNewFileWhole) {
  TempDir dir;
  const std::string path = dir / "config.xml";
  const std::string a = LargeDocument('a');
  const std::string b = LargeDocument('b');
  WriteFile(path, a);
  std::mt19937 random(20261205);
  std::uniform_int_distribution<int> delayMicros(0, 20000);
  for (int round = 0; round < 200; ++round) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) SaveForever(path, a, b);
    usleep(static_cast<useconds_t>(delayMicros(random)));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the saving process ended by itself in round " << round;
    const std::string now = ReadFile(path);
    ASSERT_TRUE(now == a || now == b) << "torn file after round " << round << " (" << now.size() << " bytes)";
  }
  // A temporary file left by a kill never stands in the way of the next save.
  XmlDocument doc;
  ASSERT_TRUE(doc.load(path));
  doc.save(path);
  EXPECT_TRUE(ReadFile(path) == a || ReadFile(path) == b);
}
