#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Component.h"
#include "Message.h"

class TForm;
class TWindow;

// A hook on the application window: called with every message of that window before
// the application's own handling; returning true ends the handling (Message.Result is
// the message's result).
struct TWindowHook {
  void* Object = nullptr;
  bool (*Callback)(void* Object, TMessage& Message) = nullptr;
  friend bool operator==(const TWindowHook&, const TWindowHook&) = default;
};

// The application object: one per process, reachable through `Application` while it
// lives. Its hidden window ("the application window", never drawn: size 0) owns the
// taskbar button and owns the main form's window; the button shows while the main form
// is shown. It owns the forms made by CreateForm and destroys them (the last made
// first) while the application window still exists.
class TApplication : public TComponent {
 public:
  TApplication();
  ~TApplication() override;

  // Keeps the program's instance and show command and registers the common controls'
  // classes (list view, toolbar, link label...) before any form makes one.
  void Initialize(HINSTANCE instance, int showCommand);
  HINSTANCE Instance() const { return instance_; }
  int ShowCommand() const { return showCommand_; }

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);

  HWND Handle() const;
  TForm* MainForm() const { return mainForm_; }

  // Creates a form owned by the application, ends its building (EndBuilding) and, if
  // there is no main form yet, makes it the main form, in that order: while a form is
  // being built, MainForm() is still null.
  template <typename TFormClass, typename... TArgs>
  TFormClass* CreateForm(TArgs&&... args) {
    auto* form = new TFormClass(this, std::forward<TArgs>(args)...);
    AdoptForm(form);
    return form;
  }

  // Run shows the main form only when this is set.
  bool ShowMainForm = true;

  bool Terminated() const { return terminated_; }
  bool IsMinimized() const;

  void HookMainWindow(TWindowHook hook);
  void UnhookMainWindow(TWindowHook hook);

  // Minimises the application window through WM_SYSCOMMAND/SC_MINIMIZE, which hides
  // the windows it owns (also on Wine); nothing when already minimised.
  void Minimize();
  // Restores a minimised application window (WM_SYSCOMMAND/SC_RESTORE) and activates
  // its last active form; nothing when it is not minimised.
  void Restore();
  // Ends the message loop (Run returns).
  void Terminate();
  // Handles every message waiting in the queue, then returns.
  void ProcessMessages();
  // Waits for one message and handles it (the modal loops' step).
  void HandleMessage();
  // Shows the main form as the start-up show command says (3: maximised; 7: the
  // application starts minimised; otherwise normal) unless ShowMainForm is false, then
  // handles messages until Terminate.
  void Run();

  // The error box: the error's text, with "." appended when its last character sorts
  // after "." (character code above 0x2E, read as unsigned); the title as caption;
  // MB_ICONERROR | MB_OK; owned by the active window.
  void ShowException(const std::exception& error);
  void ShowErrorText(std::string text);
  // A question box: the text, the title as caption, MB_ICONWARNING and `buttons`
  // (MB_YESNOCANCEL, …), owned as the error box is; the button chosen (IDYES, …).
  int Ask(const std::string& text, UINT buttons);

  // Test seam: shows the error and question boxes in place of MessageBoxA.
  using TMessageBoxFunction = std::function<int(HWND owner, const std::string& text,
                                                const std::string& caption, UINT flags)>;
  void SetMessageBoxFunction(TMessageBoxFunction function) { messageBox_ = std::move(function); }

  // Forms register themselves so that the message loop can give them their keys.
  void AddForm(TForm* form);
  void RemoveForm(TForm* form);
  const std::vector<TForm*>& Forms() const { return forms_; }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  class TApplicationWindow;

  void AdoptForm(TForm* form);
  LRESULT WindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultWindowMessage(HWND window, TMessage& message);
  bool ProcessMessage(MSG& message);
  bool PreprocessMessage(MSG& message);
  void ShowMainFormAtStart();
  int ShowBox(const std::string& text, UINT flags);
  void ActivateLastPopup();

  std::unique_ptr<TApplicationWindow> window_;
  HINSTANCE instance_ = nullptr;
  int showCommand_ = SW_SHOWNORMAL;
  std::string title_;
  TForm* mainForm_ = nullptr;
  std::vector<TForm*> forms_;
  std::vector<TWindowHook> hooks_;
  bool terminated_ = false;
  TMessageBoxFunction messageBox_;
};

// The one application object while it exists, otherwise null.
extern TApplication* Application;
