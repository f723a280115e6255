#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/Error.h"

namespace testing_support {

// Succeeds when f throws a TLPaymentPlugIns::Error with that number (and,
// when given, that description).
template <typename F>
::testing::AssertionResult Raises(long number, F&& f, const std::string& description = "") {
  try {
    f();
  } catch (const TLPaymentPlugIns::Error& error) {
    if (error.Number() != number) {
      return ::testing::AssertionFailure()
             << "raised " << error.Number() << " (" << error.Description() << "), expected " << number;
    }
    if (!description.empty() && error.Description() != description) {
      return ::testing::AssertionFailure() << "description \"" << error.Description() << "\"";
    }
    return ::testing::AssertionSuccess();
  } catch (const std::exception& other) {
    return ::testing::AssertionFailure() << "threw a non-numbered exception: " << other.what();
  }
  return ::testing::AssertionFailure() << "raised nothing, expected " << number;
}

}  // namespace testing_support
