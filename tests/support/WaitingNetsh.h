// The stand-in netsh (netsh_standin.cpp) told, through the environment its starts inherit,
// to wait for the test's word before it reads its script, and to record what it read.
#pragma once

#include <windows.h>

#include <string>

#include "Win32KernelHandle.h"

// The word is given at the latest when this goes, so that no netsh is left waiting.
class TWaitingNetsh {
 public:
  TWaitingNetsh(const std::string& event, const std::string& record)
      : go_(CreateEventA(nullptr, TRUE, FALSE, event.c_str())) {
    SetEnvironmentVariableA("ARDENIX_NETSH_WAIT_EVENT", event.c_str());
    SetEnvironmentVariableA("ARDENIX_NETSH_RECORD", record.c_str());
  }
  ~TWaitingNetsh() {
    LetGo();
    SetEnvironmentVariableA("ARDENIX_NETSH_WAIT_EVENT", nullptr);
    SetEnvironmentVariableA("ARDENIX_NETSH_RECORD", nullptr);
  }
  TWaitingNetsh(const TWaitingNetsh&) = delete;
  TWaitingNetsh& operator=(const TWaitingNetsh&) = delete;

  bool Ready() const { return static_cast<bool>(go_); }
  void LetGo() const { SetEvent(go_.Get()); }

 private:
  TKernelHandle go_;
};
