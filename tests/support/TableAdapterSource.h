#pragma once

#include "AdapterSource.h"

// The computer's adapters as a test sets them: every reading gives `Reading` (set Ok
// false for a failing query) and is counted, full readings and name readings apart.
class TTableAdapterSource : public IAdapterSource {
 public:
  TAdapterReading Read() override {
    ++Reads;
    return Reading;
  }
  TAdapterReading ReadNames() override {
    ++NameReads;
    return Reading;
  }

  TAdapterReading Reading;
  int Reads = 0;
  int NameReads = 0;
};
