// tlpp set, params, export and import on fixture plug-ins, and many
// writers at once.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <string>
#include <vector>

#include "plugin/PlugIn.h"
#include "plugin/PlugInLock.h"
#include "support/PlugInFolder.h"
#include "support/ScopedLocale.h"
#include "support/Table.h"
#include "support/TempDir.h"
#include "tools/Tlpp.h"

using namespace testing_support;
using namespace TLPaymentPlugIns;
namespace fs = std::filesystem;

namespace {

std::string ShopCopy(const TempDir& dir, const std::string& name = "shop") {
  fs::copy(std::string(TLPP_TEST_DATA) + "/tools/data/settings/shop", dir / name);
  return dir / name;
}

}  // namespace

TEST(TlppSet, ChecksUnknownNamesAndDryRunsWriteNothing) {
  TempDir dir;
  const std::string shop = ShopCopy(dir);
  const std::string original = ReadFile(shop + "/config.xml");
  for (const auto& [path, line, fields] : ReadTable("tools/data/settings/names.table")) {
    const CommandRun run = Tlpp("set " + shop + " " + fields[0], "&1");
    EXPECT_EQ(run.status, std::stoi(fields[1])) << path << ":" << line;
    EXPECT_EQ(run.out, fields[2] + "\n") << path << ":" << line;
  }
  EXPECT_EQ(ReadFile(shop + "/config.xml"), original);
  EXPECT_EQ(Tlpp("set " + shop + " Amex YES").out, "Shop Amex: \"0\" -> \"1\"\n");
}

TEST(TlppParams, ShowsEveryStoreLanguageSideBySide) {
  TempDir dir;
  const std::string shop = ShopCopy(dir);
  EXPECT_EQ(Tlpp("params " + shop).out, Fixture("tools/data/settings/params.expected"));
  const std::string json = Tlpp("params " + shop + " --store-langs en --format json").out;
  EXPECT_NE(json.find("\"values\": {\n        \"en\": null\n      }"), std::string::npos) << json;
}

// cut/: values at and past the cell's width, the default language second,
// two parameters of one name, of which get and set take the first.
TEST(TlppParams, CutsLongValuesAndKeepsTheColumns) {
  TempDir dir;
  fs::copy(std::string(TLPP_TEST_DATA) + "/tools/data/settings/cut", dir / "cut");
  const std::string folder = dir / "cut";
  EXPECT_EQ(Tlpp("params " + folder).out, Fixture("tools/data/settings/cut.expected"));
  EXPECT_EQ(Tlpp("get " + folder + " At").out, std::string(37, 'b') + "\n");
  EXPECT_EQ(Tlpp("get " + folder + " At --store-lang=en").out, std::string(36, 'a') + "\n");
  EXPECT_EQ(Tlpp("set " + folder + " Du second").out, "Cut Du: \"first\" -> \"second\"\n");
  EXPECT_EQ(Tlpp("get " + folder + " Du").out, "second\n");
  EXPECT_NE(ReadFile(folder + "/config.xml").find("<Value>2</Value>"), std::string::npos);
}

TEST(TlppImport, RoundTripLeavesEveryFileByteIdentical) {
  const ScopedLocale german("de_DE.UTF-8");
  TempDir dir;
  fs::copy(TLPP_SAMPLES_DIR, dir / "a", fs::copy_options::recursive);
  fs::copy(TLPP_SAMPLES_DIR, dir / "b", fs::copy_options::recursive);
  ASSERT_EQ(Tlpp("export " + (dir / "a") + " > " + (dir / "a.json")).status, 0);
  EXPECT_EQ(Tlpp("import " + (dir / "a.json") + " " + (dir / "a")).out, "nothing to change\n");
  for (const char* change : {"creditcard CardLabel Karte --store-lang en", "creditcard CardAmex on",
                             "cashondelivery MaxOrderAmount 900", "invoice PaymentTerm 30"}) {
    ASSERT_EQ(Tlpp("set " + (dir / "b/") + change).status, 0) << change;
  }
  ASSERT_EQ(Tlpp("deactivate " + (dir / "b/creditcard")).status, 0);
  const CommandRun imported = Tlpp("import " + (dir / "a.json") + " " + (dir / "b"));
  EXPECT_EQ(imported.status, 0);
  EXPECT_NE(imported.out.find("TLCreditCard active: false -> true"), std::string::npos) << imported.out;
  for (const char* plugIn : {"creditcard", "cashondelivery", "invoice"}) {
    EXPECT_TRUE(ReadFile(dir / ("b/" + std::string(plugIn) + "/config.xml")) ==
                ReadFile(dir / ("a/" + std::string(plugIn) + "/config.xml")))
        << plugIn;
  }
}

TEST(TlppImport, ReportsEveryProblemWithItsPathAndWritesNothing) {
  TempDir dir;
  const std::string shop = ShopCopy(dir);
  const std::string original = ReadFile(shop + "/config.xml");
  const std::string settings = std::string(TLPP_TEST_DATA) + "/tools/data/settings/";
  const CommandRun run =
      RunCommand("cd " + dir.path() + " && " TLPP_EXE " import " + settings + "invalid.json .", "&1");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, Fixture("tools/data/settings/invalid.expected"));
  EXPECT_EQ(ReadFile(shop + "/config.xml"), original);
  // Files that are not settings files at all.
  for (const auto& [path, line, fields] : ReadTable("tools/data/settings/not-settings.table")) {
    WriteFile(dir / "bad.json", fields[0]);
    const CommandRun bad = Tlpp("import " + (dir / "bad.json") + " " + dir.path(), "&1");
    EXPECT_EQ(bad.status, std::stoi(fields[1])) << path << ":" << line;
    if (fields.size() > 2) {
      EXPECT_EQ(bad.out, fields[2] + "\n") << path << ":" << line;
    }
  }
  EXPECT_EQ(ReadFile(shop + "/config.xml"), original);
}

// Many writers at once, each setting another parameter: every value lands.
TEST(TlppWriters, ManyAtOnceEachLandTheirValue) {
  TempDir dir;
  std::string params;
  for (int i = 0; i < 40; ++i) {
    params += "<Param name=\"P" + std::to_string(i) +
              "\" type=\"text\" readOnly=\"false\" localValue=\"false\"><Desc lang=\"de\">d</Desc><Value/></Param>";
  }
  const std::string many = MakePlugInFolder(dir, "many", MinimalConfig("Many", "<Params>" + params + "</Params>"));
  std::vector<std::future<CommandRun>> writers;
  for (int i = 0; i < 40; ++i) {
    writers.push_back(std::async(std::launch::async, [&, i] {
      return Tlpp("set " + many + " P" + std::to_string(i) + " v" + std::to_string(i) + " --wait 60");
    }));
  }
  for (auto& writer : writers) EXPECT_EQ(writer.get().status, 0);
  PlugIn plugIn;
  plugIn.ConfigPath(many);
  for (int i = 0; i < 40; ++i) EXPECT_EQ(plugIn.GetParam("P" + std::to_string(i)), "v" + std::to_string(i));
  EXPECT_FALSE(fs::exists(PlugInLock::LockFilePath(many)));
}
