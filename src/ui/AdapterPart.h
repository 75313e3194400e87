#pragma once

#include <functional>
#include <optional>
#include <string>

#include "AdapterSource.h"

struct TListEntry;
class TProfileEditor;

// The main window's adapter part: the adapter box's list of the computer's adapters, the
// status bar's adapter part (the state of the adapter the editor names) and Read Current
// Settings, with the state they keep. It reads the adapters; the window shows the text it
// hands to `showStatus` in the status bar.
class TAdapterPart {
 public:
  using TShowStatus = std::function<void(const std::string&)>;

  TAdapterPart(IAdapterSource& adapters, TProfileEditor& editor, TShowStatus showStatus);

  // The adapters as read once at start-up: the notification area's first tooltip and the
  // first showing's status part share it, so that starting costs one reading, not two.
  const TAdapterReading& StartReading();
  // The window is being shown: the status part for the adapter the editor names, from the
  // start-up reading the first time.
  void Showing();

  // The adapter box drops down: its list refilled with the adapters' names. A failed
  // reading leaves the default name alone in the list and says why in the status part;
  // being no command of the user's, it shows no error box.
  void FillAdapterList();
  // The name in the adapter box was typed: the status part follows it (the editor has
  // forgotten the identity; the name alone decides).
  void NameChanged(const std::string& name);
  // An adapter's name was picked from the adapter box's list: the editor takes that
  // adapter's identity, and the status part follows it.
  void AdapterPicked(const std::string& name);
  // The editor now shows `entry` (none: no entry selected). The list reports a selection
  // several times (selected, focused); the adapters are read once for it.
  void EntryShown(const TListEntry* entry);
  // Fills the editor, not the profile, with what the editor's adapter (FindProfileAdapter)
  // has now, its identity included: the values reach the entry as the user's edits do,
  // when the selection leaves it. Returns the adapter as read, whose network the profile
  // remembers (RememberNetwork). Throws when the adapters cannot be read or the adapter
  // is not there.
  TAdapterState ReadCurrentSettings();
  // The network may have changed: the status part follows `reading` when the state of the
  // editor's adapter reads differently from what this part last showed.
  void NetworkMayHaveChanged(const TAdapterReading& reading);

 private:
  void Show(const std::string& text);

  IAdapterSource& adapters_;
  TProfileEditor& editor_;
  TShowStatus showStatus_;
  const TListEntry* statusEntry_ = nullptr;
  std::optional<TAdapterReading> startReading_;
  std::string shown_;  // the last text handed to showStatus_
};
