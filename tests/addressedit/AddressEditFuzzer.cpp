// Drives the address field's rules with arbitrary operation sequences; any state that
// breaks the template or the selection bounds stops the run.
#include <cstdio>
#include <cstdlib>

#include "AddressEditOperations.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TOperationBytes operations(data, size);
  TAddressEditRules field;
  while (!operations.Done()) {
    ApplyNextOperation(field, operations);
    const std::string violation = InvariantViolation(field);
    if (!violation.empty()) {
      std::fprintf(stderr, "invariant broken: %s\n", violation.c_str());
      std::abort();
    }
  }
  return 0;
}
