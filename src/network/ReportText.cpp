#include "ReportText.h"

std::string JoinedList(const std::vector<std::string>& items, std::string_view whenEmpty) {
  if (items.empty()) return std::string(whenEmpty);
  std::string text = items.front();
  for (std::size_t i = 1; i < items.size(); ++i) text += ", " + items[i];
  return text;
}

std::string OneLine(std::string_view message) {
  auto isBreak = [](char c) { return c == '\r' || c == '\n'; };
  std::string line;
  for (std::size_t i = 0; i < message.size(); ++i) {
    if (!isBreak(message[i])) {
      line += message[i];
    } else if (i == 0 || !isBreak(message[i - 1])) {
      line += ' ';
    }
  }
  line.erase(line.find_last_not_of(" \t") + 1);
  return line;
}

std::string FailureReason(std::string_view message, unsigned long error) {
  std::string reason = OneLine(message);
  return reason.empty() ? "system error " + std::to_string(error) : reason;
}
