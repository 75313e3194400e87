#pragma once

#include <windows.h>

#include <shellapi.h>

#include <functional>

#include "ProgramStarter.h"

// Starts a program through the shell, minimised, owned by the main window, and keeps
// its process handle so that the caller can learn of its end without waiting. The shell
// shows no error box: a failure comes back as the system's code and message. A process
// without administrator rights asks for them (verb "runas": the system shows its consent
// prompt), since the programs started here change the network configuration; an
// elevated one uses the default verb.
class TWin32ProgramStarter : public IProgramStarter {
 public:
  using TOwnerSource = std::function<HWND()>;
  using TElevationCheck = std::function<bool()>;
  // ShellExecuteExA's contract: FALSE with the thread's last error set on failure.
  using TShellExecute = std::function<BOOL(SHELLEXECUTEINFOA& info)>;

  // owner: the window the shell's prompts belong to, asked for at every start (may give
  // nullptr). The elevation check and the shell call are replaceable for tests.
  explicit TWin32ProgramStarter(TOwnerSource owner, TElevationCheck isElevated = {},
                                TShellExecute shellExecute = {});

  TStartResult Start(const std::string& program, const std::string& parameters) override;

 private:
  TOwnerSource owner_;
  TElevationCheck isElevated_;
  TShellExecute shellExecute_;
};

// "runas" for a process that is not elevated, nullptr (the default verb) for one that is.
const char* ShellVerbFor(bool elevated);
