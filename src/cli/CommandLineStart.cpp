#include "CommandLineStart.h"

#include <string_view>

#include "ConsoleOutput.h"

std::optional<int> AnswerCommandLineFaults(const TCommand& command) {
  switch (command.Kind) {
    case TCommandKind::Usage:
      for (std::string_view rest = UsageText(); !rest.empty();) {
        const size_t end = rest.find('\n');
        WriteLine(TStandardStream::Error, rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
      }
      return kExitUsage;
    case TCommandKind::BadCaption:
      WriteLine(TStandardStream::Error, command.Problem);
      return kExitBadCaption;
    default:
      return std::nullopt;
  }
}
