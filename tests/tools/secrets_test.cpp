// Secret parameters through tlpp: no reader shows a secret's value, and
// check and stage guard against publishing one.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/Table.h"
#include "support/TempDir.h"
#include "tools/Tlpp.h"

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

// tlpp reading its standard input from printf's output.
CommandRun Piped(const std::string& printed, const std::string& arguments) {
  return RunCommand("{ printf '" + printed + "' | " TLPP_EXE " " + arguments + "; }", "&1");
}

}  // namespace

// The secret ApiKey and the plain MerchantId of the credit-card sample, each
// given the same long value: each reader of readers.table shows it for the
// plain parameter where it shows values at all, and never for the secret one.
TEST(TlppSecrets, NoReaderShowsASecretsValue) {
  const std::string value = "Zq81-unique-test-value";
  const std::vector<TableRow> readers = ReadTable("tools/data/secrets/readers.table");
  for (const char* param : {"ApiKey", "MerchantId"}) {
    TempDir dir;
    fs::create_directories(dir / "stage"), fs::create_directories(dir / "root");
    CopySample("creditcard", dir / "root/creditcard");
    ASSERT_EQ(Piped(value + "\\n", "set " + (dir / "root/creditcard") + " " + param + " --value-stdin").status, 0);
    for (const auto& [path, line, fields] : readers) {
      // Paths relative to dir, where the command runs, and the samples' path
      // last: no word is ever found inside a path put in.
      std::string command = Replaced(Replaced(fields[0], "ROOT", "root"), "DIR", "root/creditcard");
      command = Replaced(Replaced(Replaced(command, "PARAM", param), "VALUE", value), "MANIFEST", "manifest");
      command = Replaced(Replaced(command, "STAGE", "stage"), "SAMPLES", TLPP_SAMPLES_DIR);
      const CommandRun run = RunCommand("cd " + dir.path() + " && " TLPP_EXE " " + command, "&1");
      EXPECT_EQ(run.out.find(value) != std::string::npos, fields[1] == "plain" && param[0] == 'M')
          << path << ":" << line << " " << param << ": " << run.out;
    }
  }
}

TEST(TlppSecrets, SetTellsOnlyWhetherASecretChangedAndExportLeavesItOut) {
  TempDir dir;
  CopySample("creditcard", dir / "creditcard");
  const std::string card = dir / "creditcard";
  EXPECT_EQ(Piped("new-key-1234\\n\\n", "set " + card + " ApiKey --value-stdin").out,
            "TLCreditCard ApiKey: secret changed\n");
  EXPECT_EQ(Tlpp("get " + card + " ApiKey").out, "new-key-1234\n\n");  // only the last line feed dropped
  EXPECT_EQ(Piped("new-key-1234\\n\\n", "set " + card + " ApiKey --value-stdin --dry-run").out,
            "would set TLCreditCard ApiKey: secret unchanged\n");
  const CommandRun empty = Piped("", "set " + card + " ApiKey --value-stdin");
  EXPECT_EQ(empty.status, 2);
  EXPECT_NE(empty.out.find("read nothing"), std::string::npos) << empty.out;
  EXPECT_NE(Tlpp("params " + card).out.find("ApiKey              text      (secret, set) (all languages)"),
            std::string::npos);
  const std::string exported = "\"ApiKey\": {\n          \"type\": \"text\",\n          \"secret\": true\n        }";
  EXPECT_NE(Tlpp("export " + dir.path()).out.find(exported), std::string::npos);
  EXPECT_NE(Tlpp("export " + dir.path() + " --include-secrets").out.find("new-key-1234"), std::string::npos);
}

// Both fixtures publish their secret, one through a page reference, one
// through a copied file: check reports it, stage refuses and writes nothing
// unless told to.
TEST(TlppSecrets, CheckAndStageGuardAgainstPublishingASecret) {
  TempDir dir;
  fs::create_directories(dir / "root");
  for (const std::string name : {"referenced", "copied"}) {
    fs::copy(std::string(TLPP_TEST_DATA) + "/tools/data/secrets/" + name, dir / ("root/" + name));
  }
  fs::permissions(dir / "root/referenced/config.xml", fs::perms(0644));
  fs::permissions(dir / "root/copied/config.xml", fs::perms(0600));
  const CommandRun check = Tlpp("check " + (dir / "root"));
  EXPECT_EQ(check.status, 1);
  EXPECT_EQ(check.out, Fixture("tools/data/secrets/check.expected"));
  for (const std::string name : {"referenced", "copied"}) {
    fs::create_directories(dir / ("stage-" + name));
    const std::string stage = Tlpp("stage " + (dir / ("root/" + name)) + " " + (dir / ("stage-" + name)), "&1").out;
    EXPECT_NE(stage.find("secret-published"), std::string::npos) << stage;
    EXPECT_TRUE(fs::is_empty(dir / ("stage-" + name))) << name;
  }
  EXPECT_EQ(Tlpp("stage " + (dir / "root/copied") + " " + (dir / "stage-copied") + " --allow-secrets").status, 0);
  EXPECT_TRUE(fs::exists(dir / "stage-copied/copied/settings.js"));
}
