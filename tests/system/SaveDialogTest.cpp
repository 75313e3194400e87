// The real save dialog, driven from a second thread while the asker waits in it.
#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "NetshScratchFolder.h"
#include "Win32SaveNameAsker.h"

namespace {

// What the dialog showed before the driver closed it.
struct TDialogView {
  bool found = false;
  bool closedByAnswer = false;  // a question in between would keep it open
  bool ownedByOwner = false;
  bool resizable = false;
  bool readOnlyBoxVisible = false;
  std::string proposedName;
  std::string title;
  int filterCount = -1;
  std::string firstFilter;
};

struct TFindDialog {
  DWORD threadId;
  HWND dialog = nullptr;
};

BOOL CALLBACK CancelDialogWindow(HWND window, LPARAM) {
  char className[32] = {};
  GetClassNameA(window, className, sizeof(className));
  if (std::string(className) == "#32770") PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
  return TRUE;
}

// Waits until the dialog is gone; if it stays, cancels whatever the thread shows so that
// the asker returns and the test can report instead of hanging.
bool AwaitClosed(DWORD threadId, HWND dialog) {
  for (int i = 0; i < 200; ++i) {
    if (!IsWindow(dialog)) return true;
    Sleep(50);
  }
  while (IsWindow(dialog)) {
    EnumThreadWindows(threadId, CancelDialogWindow, 0);
    Sleep(100);
  }
  return false;
}

BOOL CALLBACK FindDialogWindow(HWND window, LPARAM data) {
  char className[32] = {};
  GetClassNameA(window, className, sizeof(className));
  if (std::string(className) == "#32770" && IsWindowVisible(window)) {
    reinterpret_cast<TFindDialog*>(data)->dialog = window;
    return FALSE;
  }
  return TRUE;
}

HWND AwaitDialog(DWORD threadId) {
  TFindDialog find{threadId};
  for (int i = 0; i < 600 && !find.dialog; ++i) {
    EnumThreadWindows(threadId, FindDialogWindow, reinterpret_cast<LPARAM>(&find));
    if (!find.dialog) Sleep(50);
  }
  return find.dialog;
}

std::string ComboText(HWND combo, int index) {
  LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

// Waits for the dialog on the asking thread, notes what it shows, then types the answer
// (if any) and presses OK, or cancels.
void DriveDialog(DWORD threadId, HWND owner, std::optional<std::string> answer, TDialogView& view) {
  HWND dialog = AwaitDialog(threadId);
  if (!dialog) return;
  view.found = true;
  view.ownedByOwner = GetWindow(dialog, GW_OWNER) == owner;
  view.resizable = (GetWindowLongA(dialog, GWL_STYLE) & WS_THICKFRAME) != 0;
  HWND readOnly = GetDlgItem(dialog, chx1);
  view.readOnlyBoxVisible = readOnly && IsWindowVisible(readOnly);
  char text[MAX_PATH] = {};
  SendMessageA(dialog, CDM_GETSPEC, sizeof(text), reinterpret_cast<LPARAM>(text));
  view.proposedName = text;
  GetWindowTextA(dialog, text, sizeof(text));
  view.title = text;
  HWND filters = GetDlgItem(dialog, cmb1);
  view.filterCount = static_cast<int>(SendMessageA(filters, CB_GETCOUNT, 0, 0));
  view.firstFilter = ComboText(filters, 0);
  if (answer) {
    SendMessageA(dialog, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(answer->c_str()));
    SendMessageA(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(answer->c_str()));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  } else {
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  }
  view.closedByAnswer = AwaitClosed(threadId, dialog);
}

class SaveDialog : public testing::Test {
 protected:
  void SetUp() override {
    owner_ = CreateWindowExA(0, "STATIC", "Ardenix", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                             200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(owner_, nullptr) << "no X display: is the wine_host fixture running?";
  }
  void TearDown() override {
    if (owner_) DestroyWindow(owner_);
  }

  std::optional<std::string> Ask(const TSaveNameRequest& request, std::optional<std::string> answer,
                                 TDialogView& view) {
    TWin32SaveNameAsker asker([this] { return owner_; });
    std::thread driver(DriveDialog, GetCurrentThreadId(), owner_, answer, std::ref(view));
    std::optional<std::string> result = asker.AskSaveName(request);
    driver.join();
    return result;
  }

  HWND owner_ = nullptr;
  TNetshScratchFolder folder_{"savedialog"};
};

TEST_F(SaveDialog, ProposesTheNameAndReturnsThePathAsTyped) {
  TDialogView view;
  const std::string typed = folder_ / "Office";  // no extension is added
  std::optional<std::string> result = Ask({"*.BAT", "", "Office.BAT"}, typed, view);
  ASSERT_TRUE(view.found) << "no dialog appeared";
  EXPECT_TRUE(view.closedByAnswer);
  EXPECT_EQ(result, typed);
  EXPECT_TRUE(view.ownedByOwner);
  EXPECT_TRUE(view.resizable);
  EXPECT_FALSE(view.readOnlyBoxVisible);
  EXPECT_EQ(view.proposedName, "Office.BAT");
  EXPECT_EQ(view.filterCount, 1);
  EXPECT_EQ(view.firstFilter, "*.BAT");
  std::printf("title: \"%s\", filters: %d, first: \"%s\"\n", view.title.c_str(), view.filterCount,
              view.firstFilter.c_str());
}

TEST_F(SaveDialog, ExistingFileIsChosenWithoutAQuestion) {
  const std::string existing = folder_ / "Home.BAT";
  CloseHandle(CreateFileA(existing.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  TDialogView view;
  EXPECT_EQ(Ask({"*.BAT", "", "Home.BAT"}, existing, view), existing);
  EXPECT_TRUE(view.closedByAnswer) << "the dialog asked before overwriting";
}

TEST_F(SaveDialog, CancelGivesNothing) {
  TDialogView view;
  EXPECT_EQ(Ask({"*.BAT", "", "Home.BAT"}, std::nullopt, view), std::nullopt);
  EXPECT_TRUE(view.found);
}

}  // namespace
