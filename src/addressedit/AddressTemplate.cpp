#include "AddressTemplate.h"

#include <algorithm>

namespace address_template {

namespace {

constexpr int kGroupCount = 4;
constexpr int kGroupWidth = 3;

// The template index (0 to 3) of the group that position belongs to; a dot counts with
// the group after it, the end with none (4).
int GroupOf(int position) {
  return position / 4;
}
int FirstPositionOf(int group) {
  return group * 4 + 1;
}

bool IsBlank(char character) {
  return character == ' ' || character == '\t' || character == '\r' || character == '\n';
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool IsShortDigitRun(std::string_view piece) {
  return !piece.empty() && piece.size() <= kGroupWidth &&
         std::all_of(piece.begin(), piece.end(), IsDigit);
}

}  // namespace

bool IsDigitPosition(int position) {
  return position >= 1 && position <= kLength && position % 4 != 0;
}

bool IsDigit(char character) {
  return character >= '0' && character <= '9';
}

int NextDigitPosition(int position) {
  if (position >= kEnd) return kEnd;
  if (position < 1) return 1;
  return IsDigitPosition(position) ? position : position + 1;
}

int PreviousDigitPosition(int position) {
  if (position <= 1) return 1;
  if (position > kLength) return kLength;
  return IsDigitPosition(position) ? position : position - 1;
}

std::string PlaceInTemplate(std::string_view text) {
  std::string placed;
  placed.reserve(kLength);
  for (int group = 0; group < kGroupCount; ++group) {
    std::string_view piece = text;
    if (group < kGroupCount - 1) {
      const size_t dot = text.find(kDot);
      piece = text.substr(0, dot);
      text = dot == std::string_view::npos ? std::string_view{} : text.substr(dot + 1);
    }
    if (group > 0) placed += kDot;
    const std::string_view kept = piece.substr(0, kGroupWidth);
    placed += kept;
    placed.append(kGroupWidth - kept.size(), kBlank);
  }
  return placed;
}

TLaidText LayCharacters(std::string text, int start, std::string_view clipboard) {
  int position = std::max(start, 1);
  size_t next = 0;
  while (next < clipboard.size() && position <= kLength) {
    const char character = clipboard[next];
    char& target = text[static_cast<size_t>(position - 1)];
    if (IsDigitPosition(position)) {
      target = IsDigit(character) ? character : kBlank;
      ++next;
    } else {
      target = kDot;
      if (character == kDot) ++next;
    }
    ++position;
  }
  return {std::move(text), position};
}

std::optional<std::vector<std::string>> DottedAddressGroups(std::string_view clipboard) {
  std::string_view rest = TrimBlanks(clipboard);
  if (rest.find(kDot) == std::string_view::npos) return std::nullopt;
  std::vector<std::string> groups;
  while (true) {
    const size_t dot = rest.find(kDot);
    const std::string_view piece = rest.substr(0, dot);
    if (!IsShortDigitRun(piece) || groups.size() == kGroupCount) return std::nullopt;
    groups.emplace_back(piece);
    if (dot == std::string_view::npos) break;
    rest.remove_prefix(dot + 1);
  }
  return groups;
}

TLaidText LayGroups(std::string text, int start, const std::vector<std::string>& groups) {
  int group = GroupOf(std::clamp(start, 1, kEnd));
  int next = std::clamp(start, 1, kEnd);
  for (const std::string& piece : groups) {
    if (group >= kGroupCount) break;
    std::string laid = piece.substr(0, kGroupWidth);
    laid.resize(kGroupWidth, kBlank);
    text.replace(static_cast<size_t>(FirstPositionOf(group) - 1), kGroupWidth, laid);
    next = FirstPositionOf(group) + kGroupWidth;
    ++group;
  }
  return {std::move(text), next};
}

}  // namespace address_template
