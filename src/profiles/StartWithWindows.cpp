#include "StartWithWindows.h"

std::string StartupCommand(const std::string& program) {
  return "\"" + program + "\" /tray";
}

bool StartupCommandRuns(const std::string& command, const std::string& program,
                        const TSamePath& samePath) {
  const size_t start = command.find_first_not_of(" \t");
  if (start == std::string::npos || program.empty()) return false;
  if (command[start] == '"') {
    const size_t close = command.find('"', start + 1);
    if (close == std::string::npos) return false;
    return samePath(command.substr(start + 1, close - start - 1), program);
  }
  const size_t end = start + program.size();
  if (end > command.size()) return false;
  if (end < command.size() && command[end] != ' ' && command[end] != '\t') return false;
  return samePath(command.substr(start, program.size()), program);
}

bool TStartWithWindows::Enabled() {
  const std::optional<std::string> command = value_.Read();
  return command && StartupCommandRuns(*command, program_, samePath_);
}

void TStartWithWindows::Toggle() {
  if (Enabled()) {
    value_.Remove();
  } else {
    value_.Write(StartupCommand(program_));
  }
}
