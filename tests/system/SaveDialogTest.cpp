// The real save dialog, driven from a second thread while the asker waits in it.
#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
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
  bool questionAsked = false;  // whether to replace the file
};

struct TFindDialog {
  DWORD threadId;
  HWND other = nullptr;  // a dialog that is not the one looked for
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
bool AwaitClosed(DWORD threadId, HWND dialog, int tries = 200) {
  for (int i = 0; i < tries; ++i) {
    if (!IsWindow(dialog)) return true;
    Sleep(50);
  }
  if (tries < 200) return false;  // a look only: the caller deals with what stays open
  while (IsWindow(dialog)) {
    EnumThreadWindows(threadId, CancelDialogWindow, 0);
    Sleep(100);
  }
  return false;
}

BOOL CALLBACK FindDialogWindow(HWND window, LPARAM data) {
  char className[32] = {};
  GetClassNameA(window, className, sizeof(className));
  auto* find = reinterpret_cast<TFindDialog*>(data);
  if (std::string(className) == "#32770" && IsWindowVisible(window) && window != find->other) {
    find->dialog = window;
    return FALSE;
  }
  return TRUE;
}

HWND AwaitDialog(DWORD threadId, HWND other = nullptr) {
  TFindDialog find{threadId, other};
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
// (if any) and presses OK, or cancels. A question that follows OK gets `reply` (IDYES or
// IDNO); after IDNO the dialog is cancelled.
void DriveDialog(DWORD threadId, HWND owner, std::optional<std::string> answer, TDialogView& view,
                 int reply) {
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
    if (reply && !AwaitClosed(threadId, dialog, 40)) {
      if (HWND question = AwaitDialog(threadId, dialog)) {
        view.questionAsked = true;
        PostMessageA(question, WM_COMMAND, reply, 0);
        if (reply == IDNO) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
      }
    }
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
                                 TDialogView& view, int reply = 0) {
    TWin32SaveNameAsker asker([this] { return owner_; });
    std::thread driver(DriveDialog, GetCurrentThreadId(), owner_, answer, std::ref(view), reply);
    std::optional<std::string> result = asker.AskSaveName(request);
    driver.join();
    return result;
  }

  HWND owner_ = nullptr;
  TNetshScratchFolder folder_{"savedialog"};
};

const TSaveNameRequest kBatchRequest{"Batch files (*.bat)", "*.bat", "Office.bat", "bat", true};

TEST_F(SaveDialog, ProposesTheNameAndAddsTheDefaultExtension) {
  TDialogView view;
  std::optional<std::string> result = Ask(kBatchRequest, folder_ / "Office", view);
  ASSERT_TRUE(view.found) << "no dialog appeared";
  EXPECT_TRUE(view.closedByAnswer);
  EXPECT_EQ(result, folder_ / "Office.bat");
  EXPECT_TRUE(view.ownedByOwner);
  EXPECT_TRUE(view.resizable);
  EXPECT_FALSE(view.readOnlyBoxVisible);
  EXPECT_EQ(view.proposedName, "Office.bat");
  EXPECT_EQ(view.filterCount, 1);
  EXPECT_EQ(view.firstFilter, "Batch files (*.bat)");
  std::printf("title: \"%s\", filters: %d, first: \"%s\"\n", view.title.c_str(), view.filterCount,
              view.firstFilter.c_str());
}

// Without a default extension or the question, the name comes back as typed.
TEST_F(SaveDialog, APlainRequestReturnsThePathAsTypedWithoutAQuestion) {
  const std::string existing = folder_ / "Home";
  CloseHandle(CreateFileA(existing.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  TDialogView view;
  EXPECT_EQ(Ask({"Files", "", "Home", "", false}, existing, view), existing);
  EXPECT_TRUE(view.closedByAnswer) << "the dialog asked before overwriting";
}

struct ReplaceCase {
  const char* label;
  int reply;
  bool chosen;
  friend void PrintTo(const ReplaceCase& c, std::ostream* out) { *out << c.label; }
};

class SaveDialogReplace : public SaveDialog, public testing::WithParamInterface<ReplaceCase> {};

TEST_P(SaveDialogReplace, ATakenNameIsChosenOnlyAfterTheQuestion) {
  const std::string existing = folder_ / "Office.bat";
  CloseHandle(CreateFileA(existing.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  TDialogView view;
  const std::optional<std::string> result =
      Ask(kBatchRequest, folder_ / "Office", view, GetParam().reply);
  EXPECT_TRUE(view.questionAsked);
  EXPECT_EQ(result, GetParam().chosen ? std::optional<std::string>(existing) : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Replies, SaveDialogReplace,
                         testing::Values(ReplaceCase{"Yes", IDYES, true},
                                         ReplaceCase{"No", IDNO, false}),
                         [](const testing::TestParamInfo<ReplaceCase>& param) {
                           return std::string(param.param.label);
                         });

TEST_F(SaveDialog, CancelGivesNothing) {
  TDialogView view;
  EXPECT_EQ(Ask(kBatchRequest, std::nullopt, view), std::nullopt);
  EXPECT_TRUE(view.found);
}

}  // namespace
