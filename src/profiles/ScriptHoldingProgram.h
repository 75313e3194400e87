#pragma once

#include <memory>
#include <optional>
#include <utility>

#include "FileSystem.h"
#include "ProgramStarter.h"

// A started program together with the held file it runs on: the file stays held for as
// long as whoever follows the program keeps it, and is let go of with it.
class TScriptHoldingProgram : public IStartedProgram {
 public:
  TScriptHoldingProgram(std::unique_ptr<IStartedProgram> program, std::unique_ptr<IHeldFile> script)
      : script_(std::move(script)), program_(std::move(program)) {}
  std::optional<unsigned long> ExitCode() override { return program_->ExitCode(); }

 private:
  // Declared first so that it goes last: the program's handle is closed before the hold.
  std::unique_ptr<IHeldFile> script_;
  std::unique_ptr<IStartedProgram> program_;
};
