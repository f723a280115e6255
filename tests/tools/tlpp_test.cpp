// The command-line host, run as a user would run it.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include <nlohmann/json.hpp>

#include "plugin/PlugInLock.h"
#include "support/Table.h"
#include "support/TempDir.h"
#include "tools/Tlpp.h"

using namespace testing_support;
namespace fs = std::filesystem;

TEST(Tlpp, ListGetActivateAndDeactivateWorkOnACopy) {
  TempDir dir;
  CopySample("invoice", dir / "invoice");
  const std::string folder = dir / "invoice";
  const CommandRun list = Tlpp("list");
  EXPECT_EQ(list.status, 0);
  // The samples in the default language, then in English.
  EXPECT_EQ(Replaced(list.out + Tlpp("list --lang en").out, TLPP_SAMPLES_DIR, "SAMPLES"),
            Fixture("tools/data/list.expected"));
  EXPECT_EQ(Tlpp("get " + folder + " PaymentLabel --store-lang en").out, "Payment by invoice\n");
  EXPECT_EQ(Tlpp("get " + folder + " PaymentLabel").out, "Zahlung auf Rechnung\n");
  EXPECT_EQ(Tlpp("deactivate " + folder).status, 0);
  EXPECT_NE(ReadFile(folder + "/config.xml").find("active=\"false\""), std::string::npos);
  EXPECT_EQ(Tlpp("activate " + folder).status, 0);
  EXPECT_NE(ReadFile(folder + "/config.xml").find("active=\"true\""), std::string::npos);
}

TEST(Tlpp, AnErrorIsOneLineWithNumberAndWhereAndNothingIsWritten) {
  TempDir dir;
  for (const TableRow& row : ReadTable("tools/data/refused.table")) {
    WriteFile(dir / "config.xml", row.fields[0]);
    const CommandRun run = Tlpp("activate " + dir.path(), "&1");
    EXPECT_NE(run.status, 0) << row.line;
    EXPECT_EQ(run.out, Replaced(row.fields[1], "DIR", dir.path()) + "\n") << row.line;
    EXPECT_EQ(ReadFile(dir / "config.xml"), row.fields[0]);
  }
}

TEST(Tlpp, RefusesEachBadCommandLineBeforeReadingOrWriting) {
  TempDir dir;
  CopySample("creditcard", dir / "creditcard");
  const std::string config = ReadFile(dir / "creditcard/config.xml");
  for (const TableRow& row : ReadTable("tools/data/usage.table")) {
    const CommandRun run = Tlpp(Replaced(row.fields[0], "DIR", dir / "creditcard"), "&1");
    EXPECT_EQ(run.status, 2) << row.path << ":" << row.line << "\n" << run.out;
    // The first line names the word, then comes the usage.
    const std::size_t firstLine = run.out.find('\n');
    EXPECT_NE(run.out.substr(0, firstLine).find(row.fields[1]), std::string::npos) << row.line << run.out;
    EXPECT_EQ(run.out.find("usage: tlpp", firstLine), firstLine + 1) << row.line << run.out;
    EXPECT_TRUE(ReadFile(dir / "creditcard/config.xml") == config) << row.line;
  }
}

TEST(Tlpp, HelpOnEveryCommand) {
  const CommandRun help = Tlpp("stage --help");
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out, Fixture("tools/data/help/stage.txt"));
  EXPECT_EQ(Tlpp("--version").out.rfind("tlpp ", 0), 0u);
  // The general help lists each option once, however many commands take it.
  const std::string all = Tlpp("--help").out;
  EXPECT_EQ(all, Fixture("tools/data/help/all.txt"));
  for (const char* word : {"help", "-h"}) EXPECT_EQ(Tlpp(word).out, all) << word;
  // As git config does: an undeclared parameter prints nothing (and exits 1,
  // a line of exits.table).
  EXPECT_EQ(Tlpp("get " + std::string(TLPP_SAMPLES_DIR) + "/invoice NoSuchParam").out, "");
}

TEST(Tlpp, StageManifestListsWhatStagingLeftInDocumentOrder) {
  TempDir dir;
  fs::create_directory(dir / "one");
  const std::string sample = std::string(TLPP_SAMPLES_DIR) + "/creditcard";
  const CommandRun staged = Tlpp("stage " + sample + " " + (dir / "one") + " --manifest " + (dir / "one.txt"));
  ASSERT_EQ(staged.status, 0);
  // What the first and a second staging left, each without its heading.
  const std::string again = Tlpp("stage " + sample + " " + (dir / "one")).out;
  EXPECT_EQ(staged.out.substr(staged.out.find('\n') + 1) + again.substr(again.find('\n') + 1),
            Fixture("tools/data/creditcard.staged"));
  // Folders, then files, each in document order, with size and SHA-256.
  EXPECT_EQ(ReadFile(dir / "one.txt"), Fixture("tools/data/creditcard.manifest"));

  // The stage folder holds only what the plug-in declares.
  EXPECT_NE(Tlpp("stage " + sample + " " + (dir / "one") + " --manifest " + (dir / "one/m.txt")).status, 0);
  EXPECT_FALSE(fs::exists(dir / "one/m.txt"));
}

TEST(Tlpp, UpgradeCarriesTheOwnersValuesAndFilesIntoVersion2) {
  TempDir dir;
  fs::create_directory(dir / "shop");
  CopySample("creditcard", dir / "shop/creditcard");
  CopySample("creditcard", dir / "v2");
  WriteFile(dir / "v2/config.xml", Fixture("tools/data/upgrade/creditcard-v2.xml"));
  WriteFile(dir / "v2/merchant.pem", "placeholder");
  const std::string folder = dir / "shop/creditcard";
  for (const char* set : {" MerchantId 99887766", " GatewayURL https://other.example/pay", " MinimumOrderAmount 25"}) {
    ASSERT_EQ(Tlpp("set " + folder + set).status, 0);
  }
  const std::string owners = ReadFile(folder + "/merchant.pem");
  const std::string config = ReadFile(folder + "/config.xml");
  EXPECT_EQ(Tlpp("upgrade " + folder + " " + (dir / "v2") + " --dry-run").status, 1);
  // The same plan as JSON: each change an object, values as the text shows them.
  const nlohmann::json plan =
      nlohmann::json::parse(Tlpp("upgrade " + folder + " " + (dir / "v2") + " --dry-run --format json").out);
  const auto dropped = nlohmann::json::parse(
      R"({"change": "dropped", "name": "GatewayURL", "language": "", "old": "https://other.example/pay", "new": ""})");
  EXPECT_NE(std::find(plan["changes"].begin(), plan["changes"].end(), dropped), plan["changes"].end()) << plan.dump(1);
  const CommandRun run = Tlpp("upgrade " + folder + " " + (dir / "v2"));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, Fixture("tools/data/upgrade/creditcard.expected"));
  EXPECT_EQ(Tlpp("get " + folder + " MerchantId").out, "99887766\n");
  EXPECT_EQ(Tlpp("get " + folder + " MinimumOrderAmount").out, "25\n");
  EXPECT_EQ(ReadFile(folder + "/merchant.pem"), owners);
  const CommandRun rollback = Tlpp("upgrade --rollback " + folder);
  EXPECT_EQ(rollback.status, 0);
  EXPECT_EQ(rollback.out.rfind("restored\t" + dir.path() + "/shop/", 0), 0u) << rollback.out;
  EXPECT_EQ(ReadFile(folder + "/config.xml"), config);
}

namespace {

// The arguments of a line of exits.table, its words replaced by paths in a
// scratch shop made in dir for it, relative to dir, where the line runs: a
// path put in has no capitals, so no word is ever found inside one.
std::string InScratchShop(const TempDir& dir, std::string arguments) {
  for (const char* folder : {"root", "new_root", "stage"}) fs::create_directory(dir / folder);
  for (const std::string root : {"root/", "new_root/"}) {
    CopySample("invoice", dir / (root + "invoice"));
    CopySample("creditcard", dir / (root + "creditcard"));
  }
  CopySample("invoice", dir / "invoice_new");
  CopySample("creditcard", dir / "v2");
  WriteFile(dir / "v2/config.xml", Fixture("tools/data/upgrade/creditcard-v2.xml"));
  const std::string data = std::string(TLPP_TEST_DATA) + "/tools/data/";
  for (const auto& [fixture, copy] : {std::pair{"check/clean", "clean/clean"},
                                      {"check/faulty", "faulty/faulty"},
                                      {"secrets/referenced", "secrets/referenced"}}) {
    fs::create_directories(fs::path(dir / copy).parent_path());
    fs::copy(data + fixture, dir / copy, fs::copy_options::recursive);
  }
  if (arguments.find("SETTINGS") != std::string::npos) {
    WriteFile(dir / "settings.json", Tlpp("export " + (dir / "root")).out);
    EXPECT_EQ(Tlpp("set " + (dir / "root/invoice") + " PaymentLabel before").status, 0);
  }
  for (const TableRow& word : ReadTable("tools/data/exits.words")) {
    arguments = Replaced(arguments, word.fields[0], word.fields[1]);
  }
  return arguments;
}

// The line with each option's value in the other form: "--opt value"
// becomes "--opt=value" and back.
std::string OtherForm(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words{std::istream_iterator<std::string>(in), {}};
  std::string other;
  for (std::size_t i = 0; i < words.size(); ++i) {
    std::string word = words[i];
    if (word.rfind("--", 0) == 0 && word.find('=') != std::string::npos) {
      word[word.find('=')] = ' ';
    } else if (word.rfind("--", 0) == 0 && i + 1 < words.size() && words[i + 1].rfind("--", 0) != 0) {
      word += "=" + words[++i];
    }
    other += (other.empty() ? "" : " ") + word;
  }
  return other;
}

}  // namespace

// Every line runs in both option forms, which must agree.
TEST(Tlpp, EachCommandExitsWithEachStatusAloneInEitherOptionForm) {
  for (const TableRow& row : ReadTable("tools/data/exits.table")) {
    const testing::ScopedTrace where(row.path.c_str(), row.line, row.fields.at(0));
    std::optional<std::string> first;
    for (const std::string& line : {row.fields.at(0), OtherForm(row.fields.at(0))}) {
      TempDir dir;
      const std::string arguments = InScratchShop(dir, line);
      std::optional<TLPaymentPlugIns::PlugInLock> lock;
      if (row.fields.size() > 2 && row.fields[2] == "locked") {
        lock.emplace(dir / "root/invoice", std::chrono::milliseconds(0));
      }
      const CommandRun run = Tlpp(arguments, "&1", "cd " + dir.path() + " &&");
      EXPECT_EQ(run.status, std::stoi(row.fields.at(1))) << line << "\n" << run.out;
      const std::string out = Replaced(run.out, dir.path(), "DIR");
      EXPECT_EQ(out, first.value_or(out)) << line;
      first = out;
    }
  }
}

// Without --wait, a writing command waits for the lock as long as another
// program is likely to hold it, and then goes on.
TEST(Tlpp, AWritingCommandWaitsForTheLockByDefault) {
  TempDir dir;
  CopySample("invoice", dir / "invoice");
  std::optional<TLPaymentPlugIns::PlugInLock> lock;
  lock.emplace(dir / "invoice", std::chrono::milliseconds(0));
  std::thread release([&lock] {
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    lock.reset();
  });
  const auto started = std::chrono::steady_clock::now();
  const CommandRun run = Tlpp("set " + (dir / "invoice") + " PaymentLabel waited", "&1");
  const auto waited = std::chrono::steady_clock::now() - started;
  release.join();
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_GE(waited, std::chrono::milliseconds(1500));
  EXPECT_EQ(Tlpp("get " + (dir / "invoice") + " PaymentLabel").out, "waited\n");
}

// The window answered as an owner would: the box ticked, then OK. OK saves
// and exits 0.
TEST(Tlpp, ConfigureSavesWhatTheOwnerConfirmedWithOk) {
#ifndef TLPP_DIALOG_ANSWERER
  GTEST_SKIP() << "no dialog answerer to preload in this build";
#else
  TempDir dir;
  CopySample("invoice", dir / "invoice");
  const CommandRun run =
      Tlpp("configure " + (dir / "invoice"), "&1", "QT_QPA_PLATFORM=offscreen LD_PRELOAD=" TLPP_DIALOG_ANSWERER);
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_NE(ReadFile(dir / "invoice/config.xml").find("active=\"false\""), std::string::npos);
#endif
}
