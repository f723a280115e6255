#pragma once

#include <memory>
#include <string>
#include <vector>

#include "dialog/Row.h"

namespace TLPaymentPlugIns {

// The rows of a settings view, in the order of Add. Rows are shared so that
// an event can carry one.
class Rows {
 public:
  void Clear() { mRows.clear(); }
  // Position is where the row goes; 0 appends, as every caller does.
  std::shared_ptr<Row> Add(int Position, const std::string& Key, const std::string& Text, int Kind) {
    auto row = std::make_shared<Row>(Key, Text, Kind);
    const bool append = Position <= 0 || static_cast<std::size_t>(Position) > mRows.size();
    mRows.insert(append ? mRows.end() : mRows.begin() + (Position - 1), row);
    return row;
  }
  std::size_t Count() const { return mRows.size(); }
  // 0-based.
  const std::shared_ptr<Row>& Item(std::size_t index) const { return mRows.at(index); }
  auto begin() const { return mRows.begin(); }
  auto end() const { return mRows.end(); }

 private:
  std::vector<std::shared_ptr<Row>> mRows;
};

}  // namespace TLPaymentPlugIns
