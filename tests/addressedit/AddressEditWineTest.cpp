// The address field as a real EDIT control in a real window, driven by the messages that
// the system would send; the texts must match those of the rules class.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "AddressEdit.h"
#include "Application.h"
#include "AddressEditRules.h"

namespace {

constexpr int kFieldId = 101;
constexpr int kNeighbourId = 100;

LRESULT CALLBACK ParentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterParentClass() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = ParentProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = "AddressEditTestParent";
  RegisterClassA(&windowClass);
}

LPARAM KeyData(WPARAM virtualKey, bool up) {
  const UINT scan = MapVirtualKeyA(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC);
  LPARAM data = 1 | (static_cast<LPARAM>(scan) << 16);
  if (up) data |= static_cast<LPARAM>(0xC0000000u);
  return data;
}

// Holds Shift and Ctrl down in this thread's keyboard state while it lives.
class THeldKeys {
 public:
  THeldKeys(bool shift, bool ctrl) {
    GetKeyboardState(saved_);
    BYTE state[256];
    GetKeyboardState(state);
    if (shift) state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
    if (ctrl) state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
    SetKeyboardState(state);
  }
  ~THeldKeys() { SetKeyboardState(saved_); }
  THeldKeys(const THeldKeys&) = delete;
  THeldKeys& operator=(const THeldKeys&) = delete;

 private:
  BYTE saved_[256];
};

struct TSel {
  int start;
  int stop;
  friend bool operator==(const TSel&, const TSel&) = default;
  friend std::ostream& operator<<(std::ostream& out, const TSel& s) {
    return out << "(" << s.start << ", " << s.stop << ")";
  }
};

class AddressEditWindow : public testing::Test {
 protected:
  void SetUp() override {
    RegisterParentClass();
    parent_ = CreateWindowExA(0, "AddressEditTestParent", "Address field", WS_OVERLAPPEDWINDOW, 40,
                              40, 320, 120, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(parent_, nullptr) << "no X display: is the wine_host fixture running?";
    neighbour_ = CreateWindowExA(
        WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 10, 10,
        222, 21, parent_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kNeighbourId)),
        GetModuleHandleA(nullptr), nullptr);
    field_ = std::make_unique<TAddressEdit>(parent_, kFieldId, 10, 40, 222, 96);
    field_->SetBeep([this] { ++beeps_; });
    ShowWindow(parent_, SW_SHOW);
    SetForegroundWindow(parent_);
    SetActiveWindow(parent_);
    Pump();
  }

  void TearDown() override {
    field_.reset();
    if (parent_) DestroyWindow(parent_);
  }

  static void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }

  HWND Field() const { return field_->Handle(); }

  std::string ShownText() const {
    char buffer[64] = {};
    GetWindowTextA(Field(), buffer, sizeof buffer);
    return buffer;
  }

  TSel ShownSelection() const {
    DWORD start = 0;
    DWORD stop = 0;
    SendMessageA(Field(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&stop));
    return {static_cast<int>(start), static_cast<int>(stop)};
  }

  // A key as TranslateMessage would deliver it: key down, its character (if any), key up.
  void Key(WPARAM virtualKey, char character = 0) {
    SendMessageA(Field(), WM_KEYDOWN, virtualKey, KeyData(virtualKey, false));
    if (character != 0) {
      SendMessageA(Field(), WM_CHAR, static_cast<unsigned char>(character),
                   KeyData(virtualKey, false));
    }
    SendMessageA(Field(), WM_KEYUP, virtualKey, KeyData(virtualKey, true));
  }

  void TypeText(const std::string& text) {
    for (char character : text) Key(VkKeyScanA(character) & 0xFF, character);
  }

  POINT PointOf(int position) const {
    const LRESULT where =
        SendMessageA(Field(), EM_POSFROMCHAR, static_cast<WPARAM>(position - 1), 0);
    return {static_cast<short>(LOWORD(where)) + 2, static_cast<short>(HIWORD(where)) + 2};
  }

  void Click(int position) {
    const POINT point = PointOf(position);
    SendMessageA(Field(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    SendMessageA(Field(), WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
  }

  void PutOnClipboard(const std::string& text) {
    ASSERT_TRUE(OpenClipboard(parent_));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
  }

  std::optional<std::string> ClipboardText() {
    if (!OpenClipboard(parent_)) return std::nullopt;
    std::optional<std::string> text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
      text = static_cast<const char*>(GlobalLock(data));
      GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
  }

  // The field given focus by code, as the neighbour hands it on.
  void FocusByCode() {
    SetFocus(neighbour_);
    SetFocus(Field());
  }

  HWND parent_ = nullptr;
  HWND neighbour_ = nullptr;
  std::unique_ptr<TAddressEdit> field_;
  int beeps_ = 0;
};

// The rules class entered by the keyboard and typed into the same way.
struct TRulesRun {
  std::string text;
  int beeps = 0;
  TSel selection;
};

TRulesRun TypeIntoRules(const std::string& start, const std::string& typed) {
  TAddressEditRules rules;
  rules.SetText(start);
  rules.FocusGained(TFocusCause::KeyboardOrCode);
  TRulesRun run;
  for (char character : typed) {
    rules.KeyDown(TAddressKey::Other, {});
    run.beeps += rules.TypeCharacter(character).beep ? 1 : 0;
    rules.KeyUp(TAddressKey::Other);
  }
  run.text = rules.Text();
  run.selection = {rules.SelStart(), rules.SelStop()};
  return run;
}

TEST_F(AddressEditWindow, StartsBlankWithItsMaskLengthFontAndHeight) {
  EXPECT_EQ(ShownText(), "   .   .   .   ");
  EXPECT_EQ(field_->Text(), "   .   .   .   ");
  EXPECT_EQ(field_->EditMask(), "999.999.999.999;1; ");
  EXPECT_EQ(SendMessageA(Field(), EM_GETLIMITTEXT, 0, 0), 15);
  EXPECT_THROW(field_->SetEditMask("000.000.000.000;0;_"), std::invalid_argument);
  EXPECT_NO_THROW(field_->SetEditMask("999.999.999.999;1; "));
  RECT rect;
  GetWindowRect(Field(), &rect);
  EXPECT_EQ(rect.bottom - rect.top, 21);
  EXPECT_EQ(GetDlgCtrlID(Field()), kFieldId);
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(Field(), WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_EQ(font.lfHeight, -11);
  EXPECT_STREQ(font.lfFaceName, "Tahoma");
}

TEST_F(AddressEditWindow, TextIsPlacedIntoTheTemplateAlsoThroughWmSetText) {
  field_->SetText("10.0.0.1");
  EXPECT_EQ(ShownText(), "10 .0  .0  .1  ");
  SetWindowTextA(Field(), "1.2.3.4.5");
  EXPECT_EQ(field_->Text(), "1  .2  .3  .4.5");
  EXPECT_EQ(ShownText(), "1  .2  .3  .4.5");
  // A change made behind the field's back lasts only until its next event.
  SendMessageA(Field(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("xyz"));
  Key(VK_UP);
  EXPECT_EQ(ShownText(), "1  .2  .3  .4.5");
}

TEST_F(AddressEditWindow, TypingGivesTheTextsOfTheRules) {
  struct {
    const char* start;
    const char* typed;
  } const cases[] = {{"", "10.0.0.1"},        {"", "192.168.1.1"}, {"", "192168001001"},
                     {"", "1921680010019"},   {"1.2.3.4", "7a"},   {"", "1.2.3.4.5"},
                     {"192.168.001.001", "x"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.start) + " typed " + c.typed);
    field_->SetText(c.start);
    FocusByCode();
    beeps_ = 0;
    TypeText(c.typed);
    const TRulesRun expected = TypeIntoRules(c.start, c.typed);
    EXPECT_EQ(ShownText(), expected.text);
    EXPECT_EQ(field_->Text(), expected.text);
    EXPECT_EQ(beeps_, expected.beeps);
    EXPECT_EQ(ShownSelection(), expected.selection);
  }
  EXPECT_EQ(TypeIntoRules("", "192.168.1.1").text, "192.168.1  .1  ");
}

TEST_F(AddressEditWindow, ARefusedCharacterBeeps) {
  FocusByCode();
  Click(1);
  beeps_ = 0;
  TypeText("a");
  EXPECT_EQ(beeps_, 1);
  TypeText("1");
  EXPECT_EQ(beeps_, 1);
  Key('A', '\x01');  // Ctrl+A's character counts as a refused character too
  EXPECT_EQ(beeps_, 2);
  EXPECT_EQ(ShownText(), "1  .   .   .   ");
}

// The subclass procedure sits between the system and the field's handlers: whatever they
// throw, standard error or not, is shown in the error box and the field goes on.
TEST_F(AddressEditWindow, AnErrorOfAnyKindInAHandlerIsShownAndTheFieldGoesOn) {
  TApplication application;
  application.SetTitle("Ardenix");
  std::vector<std::string> shown;
  application.SetMessageBoxFunction(
      [&](HWND, const std::string& text, const std::string& caption, UINT flags) {
        EXPECT_EQ(caption, "Ardenix");
        EXPECT_EQ(flags, static_cast<UINT>(MB_ICONERROR | MB_OK));
        shown.push_back(text);
        return IDOK;
      });
  FocusByCode();
  Click(1);
  beeps_ = 0;
  field_->SetBeep([] { throw 42; });
  TypeText("x");
  field_->SetBeep([] { throw std::runtime_error("No sound device"); });
  TypeText("y");
  EXPECT_EQ(shown, (std::vector<std::string>{"Unexpected error.", "No sound device."}));
  field_->SetBeep([this] { ++beeps_; });
  TypeText("1x");
  EXPECT_EQ(ShownText(), "1  .   .   .   ");
  EXPECT_EQ(beeps_, 1);
}

TEST_F(AddressEditWindow, TheCursorIsAOneCharacterSelectionWithTheCaretAtItsLeft) {
  field_->SetText("192.168.001.001");
  FocusByCode();
  Click(6);
  EXPECT_EQ(ShownSelection(), (TSel{5, 6}));
  POINT caret;
  GetCaretPos(&caret);
  EXPECT_EQ(caret.x, PointOf(6).x - 2);
  Click(4);
  EXPECT_EQ(ShownSelection(), (TSel{3, 4}));
  TypeText("9");
  EXPECT_EQ(ShownSelection(), (TSel{4, 5}));
  Key(VK_END);
  EXPECT_EQ(ShownSelection(), (TSel{15, 15}));
  Key(VK_LEFT);
  Key(VK_LEFT);
  EXPECT_EQ(ShownSelection(), (TSel{13, 14}));
  Key(VK_BACK, '\b');
  EXPECT_EQ(ShownText(), "192.168.001. 01");
  EXPECT_EQ(ShownSelection(), (TSel{12, 13}));
}

TEST_F(AddressEditWindow, ClickingFocusesAtThePositionAndTabSelectsAll) {
  field_->SetText("192.168.001.001");
  SetFocus(neighbour_);
  Click(10);
  EXPECT_EQ(GetFocus(), Field());
  EXPECT_EQ(ShownSelection(), (TSel{9, 10}));

  SetFocus(neighbour_);
  MSG tab{neighbour_, WM_KEYDOWN, VK_TAB, KeyData(VK_TAB, false), 0, {}};
  EXPECT_TRUE(IsDialogMessageA(parent_, &tab));
  EXPECT_EQ(GetFocus(), Field());
  EXPECT_EQ(ShownSelection(), (TSel{0, 15}));
  TypeText("5");
  EXPECT_EQ(ShownText(), "5  .   .   .   ");
}

TEST_F(AddressEditWindow, ADragSelects) {
  field_->SetText("192.168.001.001");
  FocusByCode();
  const POINT from = PointOf(3);
  const POINT to = PointOf(9);
  SendMessageA(Field(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
  SendMessageA(Field(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
  SendMessageA(Field(), WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
  EXPECT_EQ(ShownSelection(), (TSel{2, 9}));
  TypeText("4");
  EXPECT_EQ(ShownText(), "194.   . 01.001");
}

TEST_F(AddressEditWindow, PastingTheRealClipboardGivesTheTextsOfTheRules) {
  struct {
    const char* clipboard;
    int position;
  } const cases[] = {
      {"192.168.1.1", 1}, {"10.0.0.1", 1}, {"192168001001", 1}, {"1", 4}, {"10.20", 6}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.clipboard);
    field_->SetText("");
    FocusByCode();
    Click(c.position);
    PutOnClipboard(c.clipboard);
    SendMessageA(Field(), WM_PASTE, 0, 0);
    TAddressEditRules rules;
    rules.MousePress(c.position);
    rules.MouseRelease(c.position);
    rules.Paste(c.clipboard);
    EXPECT_EQ(ShownText(), rules.Text());
    EXPECT_EQ(ShownSelection(), (TSel{rules.SelStart(), rules.SelStop()}));
  }
  field_->SetText("");
  Click(1);
  PutOnClipboard("192.168.1.1");
  THeldKeys ctrl(false, true);
  Key('V', '\x16');
  EXPECT_EQ(ShownText(), "192.168.1  .1  ");
  EXPECT_EQ(beeps_, 0);
}

TEST_F(AddressEditWindow, CutAndCopyFillTheRealClipboard) {
  field_->SetText("192.168.001.001");
  FocusByCode();
  Click(2);
  SendMessageA(Field(), WM_COPY, 0, 0);
  EXPECT_EQ(ClipboardText(), "9");
  {
    THeldKeys shift(true, false);
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    Key(VK_RIGHT);
  }
  EXPECT_EQ(ShownSelection(), (TSel{1, 5}));
  {
    THeldKeys ctrl(false, true);
    Key('X', '\x18');
  }
  EXPECT_EQ(ClipboardText(), "92.1");
  EXPECT_EQ(ShownText(), "1  . 68.001.001");
  EXPECT_EQ(ShownSelection(), (TSel{1, 2}));
  EXPECT_EQ(beeps_, 0);
}

TEST_F(AddressEditWindow, EscapeBringsBackTheTextOfTheFocusEntryAndIsClaimedWhileModified) {
  field_->SetText("1.2.3.4");
  FocusByCode();
  Click(5);
  MSG escape{Field(), WM_KEYDOWN, VK_ESCAPE, KeyData(VK_ESCAPE, false), 0, {}};
  EXPECT_FALSE(SendMessageA(Field(), WM_GETDLGCODE, VK_ESCAPE, reinterpret_cast<LPARAM>(&escape)) &
               DLGC_WANTMESSAGE);
  TypeText("99");
  EXPECT_EQ(ShownText(), "1  .99 .3  .4  ");
  EXPECT_TRUE(SendMessageA(Field(), WM_GETDLGCODE, VK_ESCAPE, reinterpret_cast<LPARAM>(&escape)) &
              DLGC_WANTMESSAGE);
  Key(VK_ESCAPE, '\x1b');
  EXPECT_EQ(ShownText(), "1  .2  .3  .4  ");
  EXPECT_EQ(ShownSelection(), (TSel{0, 1}));
  EXPECT_EQ(beeps_, 0);

  TAddressEditRules rules;
  rules.SetText("1.2.3.4");
  rules.FocusGained(TFocusCause::KeyboardOrCode);
  rules.MousePress(5);
  rules.MouseRelease(5);
  rules.TypeCharacter('9');
  rules.TypeCharacter('9');
  rules.KeyDown(TAddressKey::Escape, {});
  EXPECT_EQ(rules.Text(), ShownText());
}

TEST_F(AddressEditWindow, CtrlArrowStepsByWordsAndFormsTheBlockCursorOnRelease) {
  field_->SetText("192.168.001.001");
  FocusByCode();
  Click(10);
  THeldKeys ctrl(false, true);
  SendMessageA(Field(), WM_KEYDOWN, VK_LEFT, KeyData(VK_LEFT, false));
  const TSel during = ShownSelection();
  EXPECT_EQ(during.start, during.stop);
  EXPECT_LT(during.start, 9);
  SendMessageA(Field(), WM_KEYUP, VK_LEFT, KeyData(VK_LEFT, true));
  EXPECT_EQ(ShownSelection(), (TSel{during.start, during.start + 1}));
  EXPECT_EQ(field_->Rules().SelStart(), during.start);
}

TEST_F(AddressEditWindow, ADisabledFieldKeepsItsText) {
  field_->SetText("10.0.0.1");
  field_->SetEnabled(false);
  EXPECT_FALSE(field_->Enabled());
  EXPECT_FALSE(IsWindowEnabled(Field()));
  EXPECT_EQ(ShownText(), "10 .0  .0  .1  ");
  field_->SetEnabled(true);
  EXPECT_TRUE(field_->Enabled());
}

TEST_F(AddressEditWindow, LosingTheFocusKeepsAnIncompleteText) {
  FocusByCode();
  TypeText("1");
  SetFocus(neighbour_);
  EXPECT_EQ(ShownText(), "1  .   .   .   ");
  EXPECT_EQ(beeps_, 0);
}

}  // namespace
