#pragma once

namespace TLPaymentPlugIns {

// The kinds of row a settings view shows, by the numbers the dialog passes.
enum RowKind : int {
  KindCheck = 504,
  KindStatus = 1201,
  KindEntry = 1204,
  KindMulti = 1211,
  KindGroup = 1300,
};

}  // namespace TLPaymentPlugIns
