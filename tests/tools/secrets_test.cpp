// Secret parameters through tlpp: no reader shows a secret's value, and
// check and stage guard against publishing one.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/TempDir.h"
#include "tools/Tlpp.h"

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at; (at = text.find(from)) != std::string::npos;) text.replace(at, from.size(), to);
  return text;
}

// tlpp reading its standard input from printf's output.
CommandRun Piped(const std::string& printed, const std::string& arguments) {
  return RunCommand("{ printf '" + printed + "' | " TLPP_EXE " " + arguments + "; }", "&1");
}

}  // namespace

// The secret ApiKey and the plain MerchantId of the credit-card sample, each
// given the same long value: each reader shows it for the plain parameter
// where it shows values at all, and never for the secret one.
TEST(TlppSecrets, NoReaderShowsASecretsValue) {
  const std::string value = "Zq81-unique-test-value";
  const struct {
    const char* reader;
    bool showsPlain;
  } readers[] = {
      {"params DIR", true},
      {"params DIR --format json", true},
      {"export ROOT", true},
      {"set DIR PARAM VALUE", true},
      {"set DIR PARAM VALUE --dry-run --store-lang en", true},
      {"set DIR PARAM VALUE --value-stdin", false},
      {"check ROOT", false},
      {"check ROOT --format json --schema", false},
      {"stage DIR STAGE --manifest MANIFEST && cat MANIFEST", false},
      {"upgrade DIR " TLPP_SAMPLES_DIR "/creditcard --dry-run", true},
  };
  for (const char* param : {"ApiKey", "MerchantId"}) {
    TempDir dir;
    fs::create_directories(dir / "stage"), fs::create_directories(dir / "root");
    CopySample("creditcard", dir / "root/creditcard");
    ASSERT_EQ(Piped(value + "\\n", "set " + (dir / "root/creditcard") + " " + param + " --value-stdin").status, 0);
    for (const auto& [reader, showsPlain] : readers) {
      std::string command = Replaced(Replaced(reader, "ROOT", dir / "root"), "DIR", dir / "root/creditcard");
      command = Replaced(Replaced(Replaced(command, "PARAM", param), "VALUE", value), "MANIFEST", dir / "manifest");
      const CommandRun run = RunCommand(TLPP_EXE " " + Replaced(command, "STAGE", dir / "stage"), "&1");
      EXPECT_EQ(run.out.find(value) != std::string::npos, showsPlain && param[0] == 'M') << param << ": " << run.out;
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
  for (const char* name : {"referenced", "copied"}) {
    fs::copy(std::string(TLPP_TEST_DATA) + "/tools/data/secrets/" + name, dir / ("root/" + std::string(name)));
  }
  fs::permissions(dir / "root/referenced/config.xml", fs::perms(0644));
  fs::permissions(dir / "root/copied/config.xml", fs::perms(0600));
  const CommandRun check = Tlpp("check " + (dir / "root"));
  EXPECT_EQ(check.status, 1);
  EXPECT_EQ(check.out, Fixture("tools/data/secrets/check.expected"));
  for (const char* name : {"referenced", "copied"}) {
    fs::create_directories(dir / ("stage-" + std::string(name)));
    const std::string stage =
        Tlpp("stage " + (dir / ("root/" + std::string(name))) + " " + (dir / ("stage-" + std::string(name))), "&1").out;
    EXPECT_NE(stage.find("secret-published"), std::string::npos) << stage;
    EXPECT_TRUE(fs::is_empty(dir / ("stage-" + std::string(name)))) << name;
  }
  EXPECT_EQ(Tlpp("stage " + (dir / "root/copied") + " " + (dir / "stage-copied") + " --allow-secrets").status, 0);
  EXPECT_TRUE(fs::exists(dir / "stage-copied/copied/settings.js"));
}
