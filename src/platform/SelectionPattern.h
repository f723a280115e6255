#pragma once

#include <string>

namespace TLPaymentPlugIns {

// The selection language of the configuration queries is XPath 1.0 plus one
// legacy operator: "&&" for logical and. ToXPath rewrites each "&&" that
// stands outside a string literal as " and "; everything else is kept.
std::string ToXPath(const std::string& pattern);

}  // namespace TLPaymentPlugIns
