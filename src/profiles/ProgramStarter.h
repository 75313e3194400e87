#pragma once

#include <string>

// Starts another program and returns at once; nothing is reported back, and a program
// that cannot be started is passed over in silence.
class IProgramStarter {
 public:
  virtual ~IProgramStarter() = default;

  // program: the full path of the executable; parameters: its command line, as the
  // program is to see it. Its window comes up minimised.
  virtual void Start(const std::string& program, const std::string& parameters) = 0;
};
