#pragma once

#include <optional>
#include <string>

// What the save dialog offers: one filter entry and a proposed file name, and how it
// treats the name the user gives.
struct TSaveNameRequest {
  std::string filterDescription;
  std::string filterPattern;  // may be empty: the dialog then decides what it lists
  std::string proposedName;
  // Added, after a ".", to a name given without an extension; none when empty.
  std::string defaultExtension;
  // A name that is taken is accepted only after the user confirms replacing that file.
  bool confirmReplace = false;
};

// Asks the user where to save a file.
class ISaveNameAsker {
 public:
  virtual ~ISaveNameAsker() = default;

  // The full path the user chose, exactly as given; nothing when the user cancelled.
  virtual std::optional<std::string> AskSaveName(const TSaveNameRequest& request) = 0;
};
