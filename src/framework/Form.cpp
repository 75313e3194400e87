#include "Form.h"

#include <stdexcept>
#include <vector>

#include "Application.h"

namespace {

bool IsMainForm(const TForm* form) {
  return Application && Application->MainForm() == form;
}

// Disables the application's other forms while a modal form is up and enables them
// again (before the modal form hides, so that activation returns to them).
class TModalDisabler {
 public:
  explicit TModalDisabler(const TForm* modal) {
    if (!Application) return;
    for (TForm* form : Application->Forms()) {
      if (form == modal || !form->HandleAllocated()) continue;
      if (!IsWindowEnabled(form->Handle())) continue;
      EnableWindow(form->Handle(), FALSE);
      disabled_.push_back(form->Handle());
    }
  }
  ~TModalDisabler() { Restore(); }
  TModalDisabler(const TModalDisabler&) = delete;
  TModalDisabler& operator=(const TModalDisabler&) = delete;

  void Restore() {
    for (HWND window : disabled_) {
      if (IsWindow(window)) EnableWindow(window, TRUE);
    }
    disabled_.clear();
  }

 private:
  std::vector<HWND> disabled_;
};

}  // namespace

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  BeginLoading();
  if (Application) Application->AddForm(this);
}

TForm::~TForm() {
  // The components go first, while the form's window still exists (some of them
  // have hooked it).
  DestroyComponents();
  if (Application) Application->RemoveForm(this);
  DestroyWindowHandle();
}

void TForm::EndBuilding() {
  if (Loading()) EndLoading();
}

void TForm::SetVisible(bool visible) {
  if (!visible) {
    visible_ = false;
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
    return;
  }
  HWND window = WindowHandle();
  visible_ = true;
  // The application's taskbar button stands for the main form: it shows with it.
  if (IsMainForm(this) && !IsWindowVisible(Application->Handle())) {
    ShowWindow(Application->Handle(), SW_SHOWNA);
  }
  ShowWindow(window, SW_SHOW);
}

void TForm::ShowMaximized() {
  HWND window = WindowHandle();
  SetVisible(true);
  ShowWindow(window, SW_SHOWMAXIMIZED);
}

void TForm::Close() {
  if (!CloseQuery()) return;
  TCloseAction action = TCloseAction::Hide;
  DoClose(action);
  if (action == TCloseAction::None) return;
  if (modal_) {
    ModalResult = mrCancel;
  } else if (IsMainForm(this)) {
    if (action == TCloseAction::Minimize) {
      Application->Minimize();
    } else {
      Application->Terminate();
    }
  } else if (action == TCloseAction::Minimize) {
    ShowWindow(WindowHandle(), SW_MINIMIZE);
  } else {
    Hide();
  }
}

int TForm::ShowModal() {
  if (!Application) throw std::logic_error("A modal form needs the application object");
  if (modal_) throw std::logic_error("The form is already shown modally");
  HWND previouslyActive = GetActiveWindow();
  TModalDisabler disabler(this);
  modal_ = true;
  ModalResult = mrNone;
  try {
    Show();
    while (ModalResult == mrNone) {
      Application->HandleMessage();
      if (Application->Terminated()) ModalResult = mrCancel;
    }
  } catch (...) {
    disabler.Restore();
    Hide();
    modal_ = false;
    throw;
  }
  disabler.Restore();
  Hide();
  modal_ = false;
  if (previouslyActive && IsWindow(previouslyActive)) SetActiveWindow(previouslyActive);
  return ModalResult;
}

std::string TForm::Caption() const {
  if (!HandleAllocated()) return caption_;
  std::string text(static_cast<size_t>(GetWindowTextLengthA(Handle())) + 1, '\0');
  text.resize(
      static_cast<size_t>(GetWindowTextA(Handle(), text.data(), static_cast<int>(text.size()))));
  return text;
}

void TForm::SetCaption(const std::string& caption) {
  caption_ = caption;
  if (HandleAllocated()) SetWindowTextA(Handle(), caption.c_str());
}

bool TForm::PreprocessMessage(MSG& message) {
  return HandleAllocated() && IsDialogMessageA(Handle(), &message);
}

void TForm::CreateParams(TCreateParams& params) {
  params.ClassName = "ArdenixForm";
  params.ClassStyle = CS_DBLCLKS;
  params.Background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  params.Caption = caption_;
  params.Style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  params.ExStyle = WS_EX_CONTROLPARENT;
  params.Parent = Application ? Application->Handle() : nullptr;
}

LRESULT TForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      Close();
      return 0;
    case WM_SYSCOMMAND:
      return OnSysCommand(wParam, lParam);
    case WM_SHOWWINDOW:
      OnShowWindow(wParam, lParam);
      break;
    case WM_ACTIVATE:
      if (OnActivate(wParam)) return 0;
      break;
    case WM_COMMAND:
      // Escape in a modal form (through the dialog keys) closes it.
      if (modal_ && LOWORD(wParam) == IDCANCEL && lParam == 0) {
        Close();
        return 0;
      }
      break;
    default:
      break;
  }
  return DefaultHandler(message, wParam, lParam);
}

bool TForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
}

void TForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TForm::DoHide() {
  if (OnHide) OnHide(this);
}

// The main form's minimise and restore act on the application: the application window
// owns the taskbar button and hides or shows the forms it owns.
LRESULT TForm::OnSysCommand(WPARAM wParam, LPARAM lParam) {
  const WPARAM command = wParam & 0xFFF0;
  if (IsMainForm(this)) {
    if (command == SC_MINIMIZE) {
      Application->Minimize();
      return 0;
    }
    if (command == SC_RESTORE && Application->IsMinimized()) {
      Application->Restore();
      return 0;
    }
  }
  return DefaultHandler(WM_SYSCOMMAND, wParam, lParam);
}

// Visible() follows SetVisible only: Wine follows the owner's SW_PARENTCLOSING with a
// plain hide (lParam 0), so the message cannot tell a request from the owner's doing.
void TForm::OnShowWindow(WPARAM wParam, LPARAM) {
  if (wParam) {
    DoShow();
  } else {
    DoHide();
  }
}

// Keeps the focused control across deactivation, as a dialog does. True when the
// focus went back to that control (the default handling would focus the form).
bool TForm::OnActivate(WPARAM wParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
    return false;
  }
  if (HIWORD(wParam)) return false;  // minimised
  if (!lastFocus_ || !IsWindow(lastFocus_) || !IsChild(Handle(), lastFocus_)) {
    lastFocus_ = nullptr;
    return false;
  }
  SetFocus(lastFocus_);
  return true;
}
