#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "AddressEditOperations.h"

namespace {

TEST(Invariant, HoldsOverLongRandomOperationSequences) {
  std::mt19937 random(20261210);
  for (int run = 0; run < 300; ++run) {
    std::vector<uint8_t> bytes(4000);
    for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(random());
    TOperationBytes operations(bytes.data(), bytes.size());
    TAddressEditRules field;
    int step = 0;
    while (!operations.Done()) {
      ApplyNextOperation(field, operations);
      ++step;
      const std::string violation = InvariantViolation(field);
      ASSERT_EQ(violation, "") << "run " << run << ", operation " << step;
    }
  }
}

}  // namespace
