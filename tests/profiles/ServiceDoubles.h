// Stand-ins for the services the profile actions call on the system: they record what
// they were asked and answer as told.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ConsoleCodePage.h"
#include "ProgramStarter.h"
#include "SaveNameAsker.h"
#include "SystemPaths.h"

struct TStart {
  std::string Program;
  std::string Parameters;
  friend bool operator==(const TStart&, const TStart&) = default;
};

// A program that has already ended with the given code.
class TEndedProgram : public IStartedProgram {
 public:
  explicit TEndedProgram(unsigned long exitCode) : exitCode_(exitCode) {}
  std::optional<unsigned long> ExitCode() override { return exitCode_; }

 private:
  unsigned long exitCode_;
};

struct TStartFailure {
  unsigned long Error;
  std::string Text;
};

// Starts nothing: records the start and answers with a program that ended with ExitCode,
// or with Failure when one is set.
class TRecordingStarter : public IProgramStarter {
 public:
  TStartResult Start(const std::string& program, const std::string& parameters) override {
    Starts.push_back({program, parameters});
    if (Failure) return TStartResult::Failed(Failure->Error, Failure->Text);
    return TStartResult::Running(std::make_unique<TEndedProgram>(ExitCode));
  }
  std::vector<TStart> Starts;
  unsigned long ExitCode = 0;
  std::optional<TStartFailure> Failure;
};

// Answers the save dialog with a fixed name (or cancels) and remembers what it was asked.
class TAnsweringAsker : public ISaveNameAsker {
 public:
  std::optional<std::string> AskSaveName(const TSaveNameRequest& request) override {
    Requests.push_back(request);
    return Answer;
  }
  std::optional<std::string> Answer;
  std::vector<TSaveNameRequest> Requests;
};

// The console's code page as a test sets it: ASCII stays, a byte of Moves goes to its place
// there, any other byte outside ASCII has none.
class TTableConsole : public IConsoleCodePage {
 public:
  std::optional<std::string> FromAnsi(std::string_view ansi) override {
    std::string text;
    for (char c : ansi) {
      const auto byte = static_cast<unsigned char>(c);
      if (byte < 0x80) {
        text += c;
        continue;
      }
      const auto moved = Moves.find(byte);
      if (moved == Moves.end()) return std::nullopt;
      text += static_cast<char>(moved->second);
    }
    return text;
  }
  std::map<unsigned char, unsigned char> Moves{{0xE9, 0x82}};  // "é" where code page 437 has it
};

class TFixedPaths : public ISystemPaths {
 public:
  std::string ExecutablePath() override { return Executable; }
  std::string SystemDirectory() override { return SystemFolder; }
  std::string Executable;
  std::string SystemFolder = "C:\\Windows\\system32";
};
