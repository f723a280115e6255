#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/Error.h"
#include "support/Raises.h"
#include "support/TempDir.h"

namespace testing_support {

// One case of a table: where it stands and its tab-separated fields.
struct TableRow {
  std::string path;
  int line;
  std::vector<std::string> fields;
};

// The cases of a table stored beside the tests (by path relative to
// tests/): one per line, fields separated by tabs; empty lines and lines
// starting with '#' are comments.
inline std::vector<TableRow> ReadTable(const std::string& relative) {
  std::istringstream in(Fixture(relative));
  std::vector<TableRow> rows;
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (line.empty() || line[0] == '#') continue;
    TableRow row{std::string(TLPP_TEST_DATA) + "/" + relative, number, {}};
    std::istringstream fields(line);
    for (std::string field; std::getline(fields, field, '\t');) row.fields.push_back(field);
    if (line.back() == '\t') row.fields.emplace_back();
    rows.push_back(std::move(row));
  }
  return rows;
}

// Succeeds when f() returns expected or, for an expected "error N", raises
// error N.
template <typename F>
::testing::AssertionResult Gives(F&& f, const std::string& expected) {
  if (expected.rfind("error ", 0) == 0) return Raises(std::stol(expected.substr(6)), f);
  try {
    const std::string result = f();
    if (result == expected) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "gave \"" << result << "\"";
  } catch (const TLPaymentPlugIns::Error& error) {
    return ::testing::AssertionFailure() << "raised " << error.Number() << " (" << error.Description() << ")";
  }
}

}  // namespace testing_support
