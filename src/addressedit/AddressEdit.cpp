#include "AddressEdit.h"

#include <array>
#include <cstring>
#include <exception>
#include <optional>
#include <stdexcept>
#include <utility>

#include "AddressTemplate.h"
#include "WindowProcGuard.h"

namespace {

constexpr int kDefaultDpi = 96;

struct TGlobalMemoryTraits {
  static void Close(HGLOBAL handle) { GlobalFree(handle); }
};
using GlobalMemoryHandle = THandle<HGLOBAL, TGlobalMemoryTraits>;

// The clipboard, open for the lifetime of the object (when the system let it open).
class TOpenClipboard {
 public:
  explicit TOpenClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  ~TOpenClipboard() {
    if (open_) CloseClipboard();
  }
  TOpenClipboard(const TOpenClipboard&) = delete;
  TOpenClipboard& operator=(const TOpenClipboard&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_;
};

// A window's device context, released with the object.
class TWindowDC {
 public:
  explicit TWindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~TWindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

std::optional<std::string> ReadClipboardText(HWND owner) {
  if (!IsClipboardFormatAvailable(CF_TEXT)) return std::nullopt;
  TOpenClipboard clipboard(owner);
  if (!clipboard.IsOpen()) return std::nullopt;
  HANDLE data = GetClipboardData(CF_TEXT);
  if (!data) return std::nullopt;
  const auto* text = static_cast<const char*>(GlobalLock(data));
  if (!text) return std::nullopt;
  std::string copy(text, strnlen(text, GlobalSize(data)));
  GlobalUnlock(data);
  return copy;
}

void WriteClipboardText(HWND owner, const std::string& text) {
  TOpenClipboard clipboard(owner);
  if (!clipboard.IsOpen() || !EmptyClipboard()) return;
  GlobalMemoryHandle memory(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
  if (!memory) return;
  void* target = GlobalLock(memory.Get());
  if (!target) return;
  std::memcpy(target, text.c_str(), text.size() + 1);
  GlobalUnlock(memory.Get());
  // The clipboard owns the memory once it has taken it.
  if (SetClipboardData(CF_TEXT, memory.Get())) memory.Release();
}

struct TKeyCode {
  WPARAM virtualKey;
  TAddressKey key;
};

constexpr std::array<TKeyCode, 14> kKeyCodes = {{
    {VK_LEFT, TAddressKey::Left},
    {VK_RIGHT, TAddressKey::Right},
    {VK_UP, TAddressKey::Up},
    {VK_DOWN, TAddressKey::Down},
    {VK_HOME, TAddressKey::Home},
    {VK_END, TAddressKey::End},
    {VK_DELETE, TAddressKey::Delete},
    {VK_INSERT, TAddressKey::Insert},
    {VK_BACK, TAddressKey::Backspace},
    {VK_ESCAPE, TAddressKey::Escape},
    {VK_RETURN, TAddressKey::Enter},
    {'C', TAddressKey::C},
    {'X', TAddressKey::X},
    {'V', TAddressKey::V},
}};

TAddressKey KeyOf(WPARAM virtualKey) {
  for (const TKeyCode& code : kKeyCodes) {
    if (code.virtualKey == virtualKey) return code.key;
  }
  return TAddressKey::Other;
}

bool IsKeyDown(int virtualKey) {
  return GetKeyState(virtualKey) < 0;
}

TKeyModifiers CurrentModifiers() {
  return {.shift = IsKeyDown(VK_SHIFT), .ctrl = IsKeyDown(VK_CONTROL), .alt = IsKeyDown(VK_MENU)};
}

int ClientX(LPARAM lParam) {
  return static_cast<short>(LOWORD(lParam));
}

UINT ScreenDpi(HWND window) {
  TWindowDC dc(window);
  const int dpi = dc.Get() ? GetDeviceCaps(dc.Get(), LOGPIXELSY) : 0;
  return dpi > 0 ? static_cast<UINT>(dpi) : kDefaultDpi;
}

int Scaled(int pixels, UINT dpi) {
  return MulDiv(pixels, static_cast<int>(dpi), kDefaultDpi);
}

FontHandle CreateFieldFont(UINT dpi) {
  return FontHandle(CreateFontA(-Scaled(TAddressEdit::kFontCharHeight, dpi), 0, 0, 0, FW_NORMAL,
                                FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                "Tahoma"));
}

}  // namespace

const TAddressEdit::TMessageEntry TAddressEdit::kMessageTable[] = {
    {WM_KEYDOWN, &TAddressEdit::OnKeyDown},
    {WM_KEYUP, &TAddressEdit::OnKeyUp},
    {WM_CHAR, &TAddressEdit::OnChar},
    {WM_LBUTTONDOWN, &TAddressEdit::OnButtonDown},
    {WM_LBUTTONDBLCLK, &TAddressEdit::OnButtonDown},
    {WM_MOUSEMOVE, &TAddressEdit::OnMouseMove},
    {WM_LBUTTONUP, &TAddressEdit::OnButtonUp},
    {WM_SETFOCUS, &TAddressEdit::OnSetFocus},
    {WM_KILLFOCUS, &TAddressEdit::OnKillFocus},
    {WM_CUT, &TAddressEdit::OnCut},
    {WM_COPY, &TAddressEdit::OnCopy},
    {WM_PASTE, &TAddressEdit::OnPaste},
    {WM_CLEAR, &TAddressEdit::OnClear},
    {WM_SETTEXT, &TAddressEdit::OnSetText},
    {WM_GETDLGCODE, &TAddressEdit::OnGetDlgCode},
    {WM_UNDO, &TAddressEdit::OnUndo},
    {EM_UNDO, &TAddressEdit::OnUndo},
    {WM_NCDESTROY, &TAddressEdit::OnNcDestroy},
};

TAddressEdit::TAddressEdit(HWND parent, int controlId, int x, int y, int width, UINT dpi)
    : beep_([] { MessageBeep(MB_OK); }) {
  if (dpi == 0) dpi = ScreenDpi(parent);
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
  handle_ = CreateWindowExA(
      WS_EX_CLIENTEDGE, "EDIT", rules_.Text().c_str(),
      WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, x, y, width, Scaled(kHeight, dpi),
      parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), instance, nullptr);
  if (!handle_) throw std::runtime_error("The address field could not be created");
  SetWindowLongPtrA(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  original_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TAddressEdit::SubclassProcedure)));
  font_ = CreateFieldFont(dpi);
  CallOriginal(WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  SetEditMask(kAddressMask);
}

void TAddressEdit::SetDpi(UINT dpi) {
  // The control lets go of the old font before it is destroyed.
  FontHandle font = CreateFieldFont(dpi);
  CallOriginal(WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
  font_ = std::move(font);
}

TAddressEdit::~TAddressEdit() {
  if (!handle_) return;
  HWND window = handle_;
  Detach();
  DestroyWindow(window);
}

void TAddressEdit::Detach() {
  SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
  SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
  handle_ = nullptr;
}

void TAddressEdit::SetText(std::string_view text) {
  rules_.SetText(text);
  Show();
}

void TAddressEdit::SetEditMask(std::string_view mask) {
  if (mask != kAddressMask) {
    throw std::invalid_argument("The address field knows only the mask \"" +
                                std::string(kAddressMask) + "\"");
  }
  CallOriginal(EM_LIMITTEXT, 0, 0);
  CallOriginal(EM_LIMITTEXT, address_template::kLength, 0);
  SetText(rules_.Text());
}

bool TAddressEdit::Enabled() const {
  return IsWindowEnabled(handle_) != FALSE;
}

void TAddressEdit::SetEnabled(bool enabled) {
  EnableWindow(handle_, enabled ? TRUE : FALSE);
}

// --- window procedure ------------------------------------------------------------------

LRESULT CALLBACK TAddressEdit::SubclassProcedure(HWND window, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
  return GuardWindowProc([&] {
    auto* field = reinterpret_cast<TAddressEdit*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!field) return DefWindowProcA(window, message, wParam, lParam);
    return field->HandleMessage(message, wParam, lParam);
  });
}

LRESULT TAddressEdit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  for (const TMessageEntry& entry : kMessageTable) {
    if (entry.message == message) return (this->*entry.handler)(wParam, lParam);
  }
  return CallOriginal(message, wParam, lParam);
}

LRESULT TAddressEdit::CallOriginal(UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(original_, handle_, message, wParam, lParam);
}

// --- showing the state -----------------------------------------------------------------

void TAddressEdit::SyncFromControl() {
  DWORD start = 0;
  DWORD stop = 0;
  CallOriginal(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&stop));
  rules_.SyncSelection(static_cast<int>(start), static_cast<int>(stop));
}

void TAddressEdit::Show(const TAddressEditResult& result) {
  if (!handle_) return;
  // Compared with what the control holds, so that a change made behind the field's back
  // (EM_REPLACESEL, say) is undone at the next event.
  char shown[address_template::kLength + 2] = {};
  CallOriginal(WM_GETTEXT, sizeof shown, reinterpret_cast<LPARAM>(shown));
  if (rules_.Text() != shown) {
    CallOriginal(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(rules_.Text().c_str()));
    CallOriginal(EM_EMPTYUNDOBUFFER, 0, 0);
  }
  // EM_SETSEL puts the caret at its second argument.
  const int start = rules_.SelStart();
  const int stop = rules_.SelStop();
  if (rules_.CaretEnd() == start) {
    CallOriginal(EM_SETSEL, static_cast<WPARAM>(stop), start);
  } else {
    CallOriginal(EM_SETSEL, static_cast<WPARAM>(start), stop);
  }
  if (result.beep && beep_) beep_();
  if (result.clipboard) WriteClipboardText(handle_, *result.clipboard);
  RunCommand(result.command);
}

void TAddressEdit::RunCommand(TClipboardCommand command) {
  constexpr std::array<std::pair<TClipboardCommand, UINT>, 3> kCommandMessages = {{
      {TClipboardCommand::Cut, WM_CUT},
      {TClipboardCommand::Copy, WM_COPY},
      {TClipboardCommand::Paste, WM_PASTE},
  }};
  for (const auto& [known, message] : kCommandMessages) {
    if (known == command) SendMessageA(handle_, message, 0, 0);
  }
}

int TAddressEdit::PositionAt(int x) const {
  constexpr int kLength = address_template::kLength;
  auto leftOf = [this](int index) {
    return CallWindowProcA(original_, handle_, EM_POSFROMCHAR, static_cast<WPARAM>(index), 0);
  };
  std::array<int, kLength + 1> left{};
  for (int index = 0; index < kLength; ++index) {
    left[static_cast<size_t>(index)] = static_cast<short>(LOWORD(leftOf(index)));
  }
  const LRESULT afterLast = leftOf(kLength);
  if (afterLast != -1) {
    left[kLength] = static_cast<short>(LOWORD(afterLast));
  } else {
    // Some systems give no position after the last character: measure that character.
    TWindowDC dc(handle_);
    SIZE size{};
    HGDIOBJ previous = SelectObject(dc.Get(), font_.Get());
    GetTextExtentPoint32A(dc.Get(), rules_.Text().c_str() + kLength - 1, 1, &size);
    SelectObject(dc.Get(), previous);
    left[kLength] = left[kLength - 1] + size.cx;
  }
  for (int position = 1; position <= kLength; ++position) {
    if (x < left[static_cast<size_t>(position)]) return position;
  }
  return address_template::kEnd;
}

// --- messages --------------------------------------------------------------------------

LRESULT TAddressEdit::OnKeyDown(WPARAM wParam, LPARAM lParam) {
  SyncFromControl();
  const TAddressEditResult result = rules_.KeyDown(KeyOf(wParam), CurrentModifiers());
  Show(result);
  if (!result.passToDefault || !handle_) return 0;
  const LRESULT handled = CallOriginal(WM_KEYDOWN, wParam, lParam);
  SyncFromControl();
  return handled;
}

LRESULT TAddressEdit::OnKeyUp(WPARAM wParam, LPARAM lParam) {
  const LRESULT handled = CallOriginal(WM_KEYUP, wParam, lParam);
  SyncFromControl();
  Show(rules_.KeyUp(KeyOf(wParam)));
  return handled;
}

LRESULT TAddressEdit::OnChar(WPARAM wParam, LPARAM) {
  SyncFromControl();
  Show(rules_.TypeCharacter(static_cast<char>(wParam)));
  return 0;
}

LRESULT TAddressEdit::OnButtonDown(WPARAM, LPARAM lParam) {
  if (GetFocus() != handle_) {
    focusByMouse_ = true;
    SetFocus(handle_);
    focusByMouse_ = false;
    if (GetFocus() != handle_) return 0;
  }
  SetCapture(handle_);
  rules_.MousePress(PositionAt(ClientX(lParam)));
  Show();
  return 0;
}

LRESULT TAddressEdit::OnMouseMove(WPARAM wParam, LPARAM lParam) {
  if (GetCapture() != handle_) return CallOriginal(WM_MOUSEMOVE, wParam, lParam);
  rules_.MouseDrag(PositionAt(ClientX(lParam)));
  Show();
  return 0;
}

LRESULT TAddressEdit::OnButtonUp(WPARAM, LPARAM lParam) {
  if (GetCapture() != handle_) return 0;
  ReleaseCapture();
  rules_.MouseRelease(PositionAt(ClientX(lParam)));
  Show();
  return 0;
}

LRESULT TAddressEdit::OnSetFocus(WPARAM wParam, LPARAM lParam) {
  const LRESULT handled = CallOriginal(WM_SETFOCUS, wParam, lParam);
  rules_.FocusGained(focusByMouse_ ? TFocusCause::Mouse : TFocusCause::KeyboardOrCode);
  Show();
  return handled;
}

LRESULT TAddressEdit::OnKillFocus(WPARAM wParam, LPARAM lParam) {
  SyncFromControl();
  rules_.FocusLost();
  Show();
  return CallOriginal(WM_KILLFOCUS, wParam, lParam);
}

LRESULT TAddressEdit::OnCut(WPARAM, LPARAM) {
  SyncFromControl();
  Show(rules_.Cut());
  return 0;
}

LRESULT TAddressEdit::OnCopy(WPARAM, LPARAM) {
  SyncFromControl();
  Show(rules_.Copy());
  return 0;
}

LRESULT TAddressEdit::OnPaste(WPARAM, LPARAM) {
  SyncFromControl();
  const std::optional<std::string> clipboard = ReadClipboardText(handle_);
  rules_.Paste(clipboard ? std::optional<std::string_view>(*clipboard) : std::nullopt);
  Show();
  return 0;
}

LRESULT TAddressEdit::OnClear(WPARAM, LPARAM) {
  SyncFromControl();
  rules_.Clear();
  Show();
  return 0;
}

LRESULT TAddressEdit::OnSetText(WPARAM, LPARAM lParam) {
  rules_.SetText(lParam ? reinterpret_cast<const char*>(lParam) : "");
  Show();
  return TRUE;
}

// While modified the field claims Escape, so that dialog handling does not cancel with it.
LRESULT TAddressEdit::OnGetDlgCode(WPARAM wParam, LPARAM lParam) {
  LRESULT code = CallOriginal(WM_GETDLGCODE, wParam, lParam);
  const auto* message = reinterpret_cast<const MSG*>(lParam);
  if (message && message->message == WM_KEYDOWN && message->wParam == VK_ESCAPE &&
      rules_.ClaimsEscape()) {
    code |= DLGC_WANTMESSAGE;
  }
  return code;
}

// The control's own undo knows nothing of the template; Escape is the field's undo.
LRESULT TAddressEdit::OnUndo(WPARAM, LPARAM) {
  return 0;
}

LRESULT TAddressEdit::OnNcDestroy(WPARAM wParam, LPARAM lParam) {
  HWND window = handle_;
  WNDPROC original = original_;
  Detach();
  return CallWindowProcA(original, window, WM_NCDESTROY, wParam, lParam);
}
