#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "AboutForm.h"
#include "AdapterSource.h"
#include "Application.h"
#include "MainForm.h"
#include "ProfileActions.h"
#include "ProfileEditor.h"
#include "ServiceDoubles.h"
#include "TableAdapterSource.h"
#include "TraySide.h"
#include "Win32ConsoleCodePage.h"
#include "Win32FileSystem.h"
#include "Win32StoreFiles.h"
#include "Win32SystemPaths.h"

// The real main window and credits dialog of a fresh application object, with the store
// and the temporary script beside this test program, the shell call recorded, the
// adapters a table of the test's and the error box caught.
class MainWindowTest : public testing::Test {
 protected:
  MainWindowTest();
  ~MainWindowTest() override;

  // Starts the program as its entry does, then shows the main window.
  TfrmMain& Start();

  void WriteStore(const std::string& text);
  std::optional<std::string> ReadFile(const std::string& path);
  std::optional<std::string> ReadStore() { return ReadFile(storePath_); }

  // Handles every waiting message.
  void Pump();
  // The selection moves as a click on the entry moves it (the list reports it).
  void Select(int index);
  // A left click at a point of a window's client area.
  void Click(HWND window, int x, int y);
  // A toolbar button pressed (what the toolbar sends its parent).
  void Press(int command);
  // The window's close button.
  void CloseWindow();

  std::vector<std::string> Captions();
  std::string Lan();
  bool DhcpChecked();
  std::string Field(std::string TNetInfo::*field);
  void SetField(std::string TNetInfo::*field, const std::string& text);
  bool FieldEnabled(std::string TNetInfo::*field);

  // An adapter of that name on the computer, up and without addresses: an apply to it
  // is not refused before netsh.
  void AddAdapter(const std::string& name);
  // Handles messages until `done` or `ms` have passed; what `done` says last.
  bool PumpUntil(const std::function<bool()>& done, DWORD ms = 20000);

  std::string storePath_;
  std::string scriptPath_;
  std::vector<std::string> errors_;     // texts of the error boxes shown
  std::vector<std::string> questions_;  // texts of the question boxes shown
  int answer_ = IDNO;                   // the button every question box is answered with

  TWin32SystemPaths paths_;
  TWin32FileSystem files_;
  TWin32StoreFiles storeFiles_;
  TRecordingStarter starter_;
  TAnsweringAsker asker_;
  TWin32ConsoleCodePage console_;
  TProfileActions actions_{files_, paths_, starter_, asker_, console_};
  TTableAdapterSource adapters_;  // none at first
  std::unique_ptr<TApplication> application_;  // last: goes first, with every form
  TfrmMain* main_ = nullptr;
  TfrmAbout* about_ = nullptr;
};

// Section text of a store as a person would write it: CR LF after every line.
std::string StoreSection(const std::string& caption, const TNetInfo& profile);

// The profile as it comes back from the store: the INI layer keeps no blanks at either
// end of a value (the address field puts them back when it shows the value).
TNetInfo AsLoaded(const TNetInfo& profile);
