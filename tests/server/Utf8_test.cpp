// The UTF-8 check that guards every text a host hands in.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "server/Utf8.h"
#include "support/Table.h"

using TLPaymentPlugIns::server::IsUtf8;

TEST(ServerUtf8, AcceptsEveryPlaneAndRefusesWhatIsNotUtf8) {
  EXPECT_TRUE(IsUtf8(""));
  EXPECT_TRUE(IsUtf8("Zahlungsziel \xC3\xA4 \xE2\x82\xAC \xF0\x9F\x92\xB3 \xF4\x8F\xBF\xBF"));
  for (const auto& [path, line, fields] : testing_support::ReadTable("server/data/not_utf8.txt")) {
    std::string bytes;
    std::istringstream hex(fields[0]);
    for (unsigned byte; hex >> std::hex >> byte;) bytes += static_cast<char>(byte);
    EXPECT_FALSE(IsUtf8(bytes)) << path << ":" << line << " " << fields[1];
  }
  EXPECT_FALSE(IsUtf8(std::string_view("\xE2\x82\xAC", 2)));  // nothing is read past the end
}
