#include "Application.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "Form.h"
#include "Window.h"
#include "WindowProcGuard.h"

TApplication* Application = nullptr;

namespace {

std::string ExecutableBaseName() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string name(path, length);
  const size_t slash = name.find_last_of("\\/:");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

// The error box's text rule: a full stop is added when the last character sorts after
// it by character code (read as unsigned, so 0x80-0xFF sort after it too).
std::string WithFullStop(std::string text) {
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) {
    text += '.';
  }
  return text;
}

}  // namespace

// The hidden application window: every message goes to the application object.
class TApplication::TApplicationWindow : public TWindow {
 public:
  TApplicationWindow(TApplication& application, const std::string& title)
      : application_(application) {
    TCreateParams params;
    params.ClassName = "ArdenixApplication";
    params.Caption = title;
    params.Style = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;
    params.X = GetSystemMetrics(SM_CXSCREEN) / 2;
    params.Y = GetSystemMetrics(SM_CYSCREEN) / 2;
    params.Width = 0;
    params.Height = 0;
    CreateWindowHandle(params);
  }
  ~TApplicationWindow() override { DestroyWindowHandle(); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    return application_.WindowMessage(Handle(), message, wParam, lParam);
  }

 private:
  TApplication& application_;
};

TApplication::TApplication() : TComponent(nullptr), title_(ExecutableBaseName()) {
  if (Application) throw std::logic_error("There is already an application object");
  Application = this;
  try {
    window_ = std::make_unique<TApplicationWindow>(*this, title_);
  } catch (...) {
    Application = nullptr;
    throw;
  }
}

TApplication::~TApplication() {
  // The forms go while the application window (their owner) still exists.
  DestroyComponents();
  window_.reset();
  Application = nullptr;
}

void TApplication::Initialize(HINSTANCE instance, int showCommand) {
  instance_ = instance;
  showCommand_ = showCommand;
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS;
  InitCommonControlsEx(&controls);
}

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  SetWindowTextA(Handle(), title_.c_str());
}

HWND TApplication::Handle() const {
  return window_ ? window_->Handle() : nullptr;
}

bool TApplication::IsMinimized() const {
  return IsIconic(Handle()) != FALSE;
}

void TApplication::HookMainWindow(TWindowHook hook) {
  hooks_.push_back(hook);
}

void TApplication::UnhookMainWindow(TWindowHook hook) {
  auto found = std::find(hooks_.begin(), hooks_.end(), hook);
  if (found != hooks_.end()) hooks_.erase(found);
}

void TApplication::Minimize() {
  if (!IsMinimized()) SendMessageA(Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TApplication::Restore() {
  if (IsMinimized()) SendMessageA(Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
}

// A flag and a wake-up rather than WM_QUIT, which would also end any message box or
// menu loop that happens to run.
void TApplication::Terminate() {
  terminated_ = true;
  PostMessageA(Handle(), WM_NULL, 0, 0);
}

void TApplication::ProcessMessages() {
  MSG message;
  while (ProcessMessage(message)) {
  }
}

void TApplication::HandleMessage() {
  MSG message;
  if (!ProcessMessage(message)) WaitMessage();
}

void TApplication::Run() {
  ShowMainFormAtStart();
  while (!terminated_) HandleMessage();
}

void TApplication::ShowException(const std::exception& error) {
  ShowErrorText(error.what());
}

void TApplication::ShowErrorText(std::string text) {
  ShowBox(WithFullStop(std::move(text)), MB_ICONERROR | MB_OK);
}

int TApplication::Ask(const std::string& text, UINT buttons) {
  return ShowBox(text, MB_ICONWARNING | buttons);
}

int TApplication::ShowBox(const std::string& text, UINT flags) {
  HWND owner = GetActiveWindow();
  if (!owner) owner = Handle();
  if (messageBox_) return messageBox_(owner, text, title_, flags);
  return MessageBoxA(owner, text.c_str(), title_.c_str(), flags);
}

void TApplication::AddForm(TForm* form) {
  if (std::find(forms_.begin(), forms_.end(), form) == forms_.end()) forms_.push_back(form);
}

void TApplication::RemoveForm(TForm* form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
  if (mainForm_ == form) mainForm_ = nullptr;
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::Remove && mainForm_ &&
      AComponent == static_cast<TComponent*>(mainForm_)) {
    mainForm_ = nullptr;
  }
}

void TApplication::AdoptForm(TForm* form) {
  form->EndBuilding();
  if (!mainForm_) mainForm_ = form;
}

// Hooks run first, in the order added; one that is removed meanwhile is skipped.
LRESULT TApplication::WindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TMessage hooked{message, wParam, lParam, 0};
  const std::vector<TWindowHook> hooks = hooks_;
  for (const TWindowHook& hook : hooks) {
    if (std::find(hooks_.begin(), hooks_.end(), hook) == hooks_.end()) continue;
    if (hook.Callback(hook.Object, hooked)) return hooked.Result;
  }
  return DefaultWindowMessage(window, hooked);
}

// `window` rather than Handle(): messages arrive while the window is being created.
LRESULT TApplication::DefaultWindowMessage(HWND window, TMessage& message) {
  switch (message.Msg) {
    case WM_CLOSE:  // Close on the taskbar button
      if (mainForm_) mainForm_->Close();
      return 0;
    case WM_SYSCOMMAND:
      if ((message.WParam & 0xFFF0) == SC_RESTORE) {
        const LRESULT result = DefWindowProcA(window, message.Msg, message.WParam, message.LParam);
        ActivateLastPopup();
        return result;
      }
      break;
    case WM_SETFOCUS:
      ActivateLastPopup();
      return 0;
    case WM_ENDSESSION:
      if (message.WParam) Terminate();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message.Msg, message.WParam, message.LParam);
}

// The application window never keeps the activation: it goes to the form that last
// had it (a modal form while one is up), else to the main form.
void TApplication::ActivateLastPopup() {
  HWND popup = GetLastActivePopup(Handle());
  if (!popup || popup == Handle()) popup = mainForm_ ? mainForm_->Handle() : nullptr;
  if (popup && IsWindowVisible(popup) && IsWindowEnabled(popup)) SetActiveWindow(popup);
}

bool TApplication::ProcessMessage(MSG& message) {
  if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return false;
  if (message.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  // Our window procedures stop their own errors; this catches those of the keys the
  // forms handle before dispatching.
  GuardWindowProc([&]() -> LRESULT {
    if (!PreprocessMessage(message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    return 0;
  });
  return true;
}

bool TApplication::PreprocessMessage(MSG& message) {
  if (!message.hwnd) return false;
  HWND root = GetAncestor(message.hwnd, GA_ROOT);
  for (TForm* form : forms_) {
    if (form->HandleAllocated() && form->Handle() == root) return form->PreprocessMessage(message);
  }
  return false;
}

void TApplication::ShowMainFormAtStart() {
  if (!mainForm_ || !ShowMainForm) return;
  if (showCommand_ == SW_SHOWMAXIMIZED) {
    mainForm_->ShowMaximized();
  } else if (showCommand_ == SW_SHOWMINNOACTIVE) {
    mainForm_->Show();
    Minimize();
  } else {
    mainForm_->Show();
  }
}
