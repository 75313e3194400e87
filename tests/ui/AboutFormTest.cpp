// The credits dialog: its labels, the link labels' hover colours and style, opening a
// link, and Escape.
#include <windows.h>

#include "MainWindowFixture.h"

namespace {

using A = TfrmAbout;

class AboutFormTest : public MainWindowTest {
 protected:
  void SetUp() override {
    Start();
    about_->OpenAddress = [this](const std::string& address) { opened_.push_back(address); };
  }
  std::vector<std::string> opened_;
};

TEST_F(AboutFormTest, NamesTheProgramAndItsVersionInAFixedDialogFrame) {
  EXPECT_EQ(about_->Caption(), "Credits:");
  EXPECT_EQ(about_->LabelAt(A::lblVer).Text(), "Ardenix 1.01");
  EXPECT_EQ(about_->LabelAt(A::Label6).Text(), "Using \"netsh\" interface.");
  EXPECT_TRUE(about_->LabelAt(A::lblVer).Style().bold);
  const LONG style = GetWindowLongA(about_->Handle(), GWL_STYLE);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  RECT client;
  GetClientRect(about_->Handle(), &client);
  const int dpi = static_cast<int>(GetDpiForWindow(about_->Handle()));
  EXPECT_EQ(client.right, MulDiv(369, dpi, 96));
  EXPECT_EQ(client.bottom, MulDiv(188, dpi, 96));
  EXPECT_FALSE(IsWindowVisible(about_->Handle()));
}

// Screen readers and UI automation read a window's text through WM_GETTEXT.
TEST_F(AboutFormTest, EveryLabelAnswersItsText) {
  for (int id = 0; id < A::LabelCount; ++id) {
    TCreditsLabel& label = about_->LabelAt(static_cast<A::TLabelId>(id));
    SCOPED_TRACE(label.Text());
    char read[256] = {};
    EXPECT_EQ(GetWindowTextLengthA(label.Handle()), static_cast<int>(label.Text().size()));
    GetWindowTextA(label.Handle(), read, sizeof read);
    EXPECT_EQ(read, label.Text());
  }
  TCreditsLabel& version = about_->LabelAt(A::lblVer);
  version.SetText("Ardenix 2.0");
  char read[64] = {};
  GetWindowTextA(version.Handle(), read, sizeof read);
  EXPECT_STREQ(read, "Ardenix 2.0");
  SetWindowTextA(version.Handle(), "Ardenix 3.0");
  EXPECT_EQ(version.Text(), "Ardenix 3.0");
}

TEST_F(AboutFormTest, ALinkLightsUpUnderTheMouseAndFallsBackToTheHighlightTextColour) {
  TCreditsLabel& author = about_->LabelAt(A::Label1);
  EXPECT_EQ(author.Color(), RGB(255, 255, 255));
  SendMessageA(author.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(author.Color(), GetSysColor(COLOR_BTNFACE));
  EXPECT_TRUE(author.Style().bold);
  EXPECT_TRUE(author.Style().underline);
  SendMessageA(author.Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(author.Color(), GetSysColor(COLOR_HIGHLIGHTTEXT));
  EXPECT_FALSE(author.Style().bold);
  EXPECT_FALSE(author.Style().underline);
}

TEST_F(AboutFormTest, APlainLabelDoesNotReactToTheMouse) {
  TCreditsLabel& date = about_->LabelAt(A::Label3);
  const COLORREF before = date.Color();
  SendMessageA(date.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  SendMessageA(date.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(date.Color(), before);
  EXPECT_FALSE(date.Style().bold);
  EXPECT_TRUE(opened_.empty());
}

TEST_F(AboutFormTest, ClickingALinkOpensItsHint) {
  struct TCase {
    A::TLabelId label;
    const char* address;
  };
  const TCase cases[] = {
      {A::Label1, "mailto:developers@example.org"},
      {A::Label5, "mailto:support@example.org"},
      {A::Label10, "https://www.example.org/ardenix/download"},
      {A::Label11, "https://www.example.org/"},
      {A::Label2, "https://www.example.org/ardenix/"},
  };
  for (const TCase& c : cases) {
    TCreditsLabel& label = about_->LabelAt(c.label);
    EXPECT_EQ(label.Hint, c.address);
    opened_.clear();
    SendMessageA(label.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(label.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(opened_, std::vector<std::string>{c.address}) << c.address;
  }
}

TEST_F(AboutFormTest, OnlyEscapeClosesTheDialog) {
  // Other keys come first; if one of them closed the dialog, Escape would still be
  // waiting when it closes.
  about_->OnShow = [&](TObject*) {
    for (WPARAM key : {WPARAM{'A'}, WPARAM{VK_RETURN}, WPARAM{VK_SPACE}, WPARAM{VK_ESCAPE}}) {
      PostMessageA(about_->Handle(), WM_KEYDOWN, key, 0);
    }
  };
  bool keysLeftWhenClosing = true;
  about_->OnClose = [&](TObject*, TCloseAction&) {
    MSG waiting;
    keysLeftWhenClosing =
        PeekMessageA(&waiting, about_->Handle(), WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE) != FALSE;
  };
  EXPECT_EQ(about_->ShowModal(), mrCancel);
  EXPECT_FALSE(keysLeftWhenClosing);
  EXPECT_FALSE(IsWindowVisible(about_->Handle()));
}

}  // namespace
