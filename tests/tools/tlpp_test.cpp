// The command-line host, run as a user would run it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "support/BrokenRoot.h"
#include "support/Table.h"
#include "support/TempDir.h"
#include "tools/Tlpp.h"

using namespace testing_support;

TEST(Tlpp, ListGetActivateAndDeactivateWorkOnACopy) {
  TempDir dir;
  CopySample("invoice", dir / "invoice");
  const std::string folder = dir / "invoice";
  const CommandRun list = Tlpp("list");
  EXPECT_EQ(list.status, 0);
  for (const char* text : {"TLInvoice", "TLCashOnDelivery", "TLCreditCard", "Nachnahme", "Kreditkarte"}) {
    EXPECT_NE(list.out.find(text), std::string::npos) << text << "\n" << list.out;
  }
  EXPECT_NE(Tlpp("list --lang en").out.find("Cash on delivery"), std::string::npos);
  EXPECT_EQ(Tlpp("get " + folder + " PaymentLabel --store-lang en").out, "Payment by invoice\n");
  EXPECT_EQ(Tlpp("get " + folder + " PaymentLabel").out, "Zahlung auf Rechnung\n");
  EXPECT_EQ(Tlpp("deactivate " + folder).status, 0);
  EXPECT_NE(ReadFile(folder + "/config.xml").find("active=\"false\""), std::string::npos);
  EXPECT_EQ(Tlpp("activate " + folder).status, 0);
  EXPECT_NE(ReadFile(folder + "/config.xml").find("active=\"true\""), std::string::npos);
}

TEST(Tlpp, AnErrorIsOneLineWithNumberAndWhereAndNothingIsWritten) {
  TempDir dir;
  std::filesystem::create_directory(dir / "broken");
  WriteFile(dir / "broken/config.xml", "<P active=\"false\">");
  const CommandRun run = Tlpp("activate " + (dir / "broken"), "&1");
  EXPECT_NE(run.status, 0);
  EXPECT_EQ(run.out, dir / "broken/config.xml:1:19: error 100991: Configuration malformed. Proccess aborted "
                           "(Premature end of data in tag P line 1)\n");
  EXPECT_EQ(ReadFile(dir / "broken/config.xml"), "<P active=\"false\">");

  WriteFile(dir / "broken/config.xml", "<P><ID>x</ID></P>");
  const CommandRun missingAttribute = Tlpp("activate " + (dir / "broken"), "&1");
  EXPECT_NE(missingAttribute.status, 0);
  EXPECT_EQ(missingAttribute.out, "tlpp: error 91: Object variable or With block variable not set\n");
  EXPECT_EQ(ReadFile(dir / "broken/config.xml"), "<P><ID>x</ID></P>");
}

TEST(Tlpp, ListAndCheckNameEachBrokenPlugInAndGoOnWithTheRest) {
  TempDir dir;
  const std::string root = MakeBrokenRoot(dir);
  const auto before = Snapshot(root);
  const CommandRun list = Tlpp("list " + root, dir / "errors.txt");
  EXPECT_EQ(list.status, 1);
  // A header, the good copies, dialog-no-readonly and empty-id, and the
  // unreadable one where modes are not enforced.
  const auto lines = [](const std::string& text) { return std::count(text.begin(), text.end(), '\n'); };
  EXPECT_EQ(lines(list.out), 1 + kBrokenRootGoodCopies + 2 + (ModesAreEnforced() ? 0 : 1)) << list.out;
  EXPECT_NE(list.out.find("\nGood188 "), std::string::npos);
  const std::string errors = ReadFile(dir / "errors.txt");
  EXPECT_EQ(lines(errors), ModesAreEnforced() ? 10 : 9) << errors;
  EXPECT_NE(errors.find(root + "/not-well-formed/config.xml:12:12: error 100991: Configuration malformed. Proccess "
                               "aborted (Opening and ending tag mismatch: Param line 9 and Params)\n"),
            std::string::npos)
      << errors;

  const CommandRun check = Tlpp("check " + root, dir / "check-errors.txt");
  EXPECT_EQ(check.status, 1);
  EXPECT_EQ(ReadFile(dir / "check-errors.txt"), errors);
  EXPECT_EQ(Snapshot(root), before);

  const CommandRun missing = Tlpp("list " + (dir / "missing"), "&1");
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.out.rfind(dir / "missing: error 76: Path not found: ", 0), 0u) << missing.out;
}

TEST(Tlpp, RefusesEachBadCommandLineBeforeReadingOrWriting) {
  TempDir dir;
  CopySample("creditcard", dir / "creditcard");
  const std::string config = ReadFile(dir / "creditcard/config.xml");
  for (const TableRow& row : ReadTable("tools/data/usage.table")) {
    std::string arguments = row.fields[0];
    for (std::size_t at; (at = arguments.find("DIR")) != std::string::npos;) {
      arguments.replace(at, 3, dir / "creditcard");
    }
    const CommandRun run = Tlpp(arguments, "&1");
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
  EXPECT_NE(help.out.find("usage: tlpp stage"), std::string::npos) << help.out;
  EXPECT_EQ(Tlpp("--version").out.rfind("tlpp ", 0), 0u);
  // As git config does: an undeclared parameter prints nothing and exits 1.
  const CommandRun undeclared = Tlpp("get " + std::string(TLPP_SAMPLES_DIR) + "/invoice NoSuchParam");
  EXPECT_EQ(undeclared.status, 1);
  EXPECT_EQ(undeclared.out, "");
}

TEST(Tlpp, StageManifestListsWhatStagingLeftInDocumentOrder) {
  TempDir dir;
  std::filesystem::create_directory(dir / "one");
  const std::string sample = std::string(TLPP_SAMPLES_DIR) + "/creditcard";
  ASSERT_EQ(Tlpp("stage " + sample + " " + (dir / "one") + " --manifest " + (dir / "one.txt")).status, 0);
  // Folders, then files, each in document order, with size and SHA-256.
  EXPECT_EQ(ReadFile(dir / "one.txt"), Fixture("tools/data/creditcard.manifest"));

  // The stage folder holds only what the plug-in declares.
  EXPECT_NE(Tlpp("stage " + sample + " " + (dir / "one") + " --manifest " + (dir / "one/m.txt")).status, 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "one/m.txt"));
}
