#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The fixed template of the address field: "999.999.999.999", four groups of three digit
// positions with literal dots at positions 4, 8 and 12. Positions count from 1 to 15;
// position 16 stands for the end (the plain caret after the last character).
namespace address_template {

inline constexpr int kLength = 15;
inline constexpr int kEnd = 16;
inline constexpr char kBlank = ' ';
inline constexpr char kDot = '.';
// Every digit position blank: what the field shows when nothing was typed.
inline constexpr std::string_view kEmptyText = "   .   .   .   ";

bool IsDigitPosition(int position);
bool IsDigit(char character);

// position itself when it is a digit position, else the one after it; the end stays the end.
int NextDigitPosition(int position);
// position itself when it is a digit position, else the one before it; never below 1.
int PreviousDigitPosition(int position);

// A stored text put into the template: split at its first three dots, each piece cut to
// or filled up to three characters, joined with dots. Characters are not tested.
std::string PlaceInTemplate(std::string_view text);

// The outcome of laying clipboard text into the template.
struct TLaidText {
  std::string text;
  int next = kEnd;  // the position after the last one laid
};

// Lays clipboard text character by character from position start: a digit position
// keeps a digit and blanks anything else; a dot position consumes a "." or else keeps its
// dot and tries the same character again at the next position.
TLaidText LayCharacters(std::string text, int start, std::string_view clipboard);

// The groups of a dotted address ("192.168.1.1": two to four groups of one to three
// digits separated by single dots, blanks at both ends ignored), or nothing.
std::optional<std::vector<std::string>> DottedAddressGroups(std::string_view clipboard);

// Lays address groups one per group of the template, from the group holding position start
// (a dot belongs to the group after it): each left-aligned, the rest of its group blank.
TLaidText LayGroups(std::string text, int start, const std::vector<std::string>& groups);

}  // namespace address_template
