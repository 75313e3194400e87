#pragma once

#include <memory>
#include <optional>
#include <string>

// A program that was started, to be followed without waiting for it. Whatever the
// system lent to follow it is given back when this object goes.
class IStartedProgram {
 public:
  virtual ~IStartedProgram() = default;
  // The exit code once the program has ended, nothing while it runs. Never waits.
  virtual std::optional<unsigned long> ExitCode() = 0;
};

// Starts refused before anything ran, with codes of their own: the system's error codes
// never set bit 29, which is left to applications.
inline constexpr unsigned long kStartErrorScriptChanged = 0x20000001;  // not as written
inline constexpr unsigned long kStartErrorApplyRunning = 0x20000002;   // script held by another

// What became of a start: the program to follow, or the system's error code and its
// message. A program can be started without anything to follow it by (the system did
// not hand one out); Program is then null.
struct TStartResult {
  bool Started = false;
  std::unique_ptr<IStartedProgram> Program;
  unsigned long Error = 0;
  std::string ErrorText;

  static TStartResult Running(std::unique_ptr<IStartedProgram> program) {
    return {true, std::move(program), 0, {}};
  }
  static TStartResult Failed(unsigned long error, std::string text) {
    return {false, nullptr, error, std::move(text)};
  }
};

// Starts another program and returns at once, without showing any error of its own.
class IProgramStarter {
 public:
  virtual ~IProgramStarter() = default;

  // program: the full path of the executable; parameters: its command line, as the
  // program is to see it. Its window comes up minimised.
  virtual TStartResult Start(const std::string& program, const std::string& parameters) = 0;
};
