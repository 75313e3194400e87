// Stand-ins for the services the profile actions call on the system: they record what
// they were asked and answer as told.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ProgramStarter.h"
#include "SaveNameAsker.h"
#include "SystemPaths.h"

struct TStart {
  std::string Program;
  std::string Parameters;
  friend bool operator==(const TStart&, const TStart&) = default;
};

class TRecordingStarter : public IProgramStarter {
 public:
  void Start(const std::string& program, const std::string& parameters) override {
    Starts.push_back({program, parameters});
  }
  std::vector<TStart> Starts;
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

class TFixedPaths : public ISystemPaths {
 public:
  std::string ExecutablePath() override { return Executable; }
  std::string SystemDirectory() override { return SystemFolder; }
  std::string Executable;
  std::string SystemFolder = "C:\\Windows\\system32";
};
