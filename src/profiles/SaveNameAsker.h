#pragma once

#include <optional>
#include <string>

// What the save dialog offers: one filter entry and a proposed file name.
struct TSaveNameRequest {
  std::string filterDescription;
  std::string filterPattern;  // may be empty: the dialog then decides what it lists
  std::string proposedName;
};

// Asks the user where to save a file.
class ISaveNameAsker {
 public:
  virtual ~ISaveNameAsker() = default;

  // The full path the user chose, exactly as given; nothing when the user cancelled.
  virtual std::optional<std::string> AskSaveName(const TSaveNameRequest& request) = 0;
};
