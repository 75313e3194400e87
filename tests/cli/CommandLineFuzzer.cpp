// Feeds any command line to the splitter and the parser: neither may crash, the
// connection name of /apply is always the splitting's second argument, and a command
// is never read out of blanks alone.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  const TSplitCommandLine split = SplitCommandLine(line);
  const TCommand command = ParseCommandLine(line);
  switch (command.Kind) {
    case TCommandKind::Apply:
      if (split.Arguments.size() != 2 || command.Caption != split.Arguments[1] ||
          command.Caption.empty() || command.Caption.find('"') != std::string::npos)
        std::abort();
      break;
    case TCommandKind::List:
      if (split.Arguments.size() != 1) std::abort();
      break;
    case TCommandKind::Window:
      if (!split.Arguments.empty()) std::abort();
      break;
    default:
      break;
  }
  // Blanks behind the arguments change nothing, unless quoting is still open: then they
  // belong to the last argument.
  const std::string padding = " \t ";
  const std::vector<std::string> padded = SplitCommandLine(std::string(line) + padding).Arguments;
  const bool same = padded == split.Arguments;
  const bool quoted = !split.Arguments.empty() && padded.size() == split.Arguments.size() &&
                      padded.back() == split.Arguments.back() + padding;
  if (!same && !quoted) std::abort();
  return 0;
}
