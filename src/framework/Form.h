#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "Events.h"
#include "WinControl.h"

enum class TFormStyle { Normal, MDIForm };

// What a closing form does once closing is allowed.
enum class TCloseAction { None, Hide, Minimize };

// Results of ShowModal. 0 keeps a modal form open.
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2 };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

// A top-level window owned by the application window (so that the application's
// taskbar button stands for it and minimising the application hides it).
//
// Building: a derived form's constructor creates its components (owner: the form) and
// sets them up; EndBuilding() then calls Loaded() on each of them and on the form.
// TApplication::CreateForm calls EndBuilding() after the constructor; a form made
// otherwise calls it itself. The window is created on demand (WindowHandle(), Show()).
//
// Closing (WM_CLOSE, Close()): CloseQuery() decides (an error thrown there ends the
// handler and leaves the form open); then OnClose may change the action. Closing the
// application's main form terminates the application; a modal form ends its modal
// loop with mrCancel; any other form hides.
class TForm : public TWinControl {
 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  void EndBuilding();

  // What was last asked for with SetVisible/Show/Hide: stays true while the form is
  // hidden because the application is minimised.
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  // Shows the form maximised (the start-up show command 3).
  void ShowMaximized();
  void Hide() { SetVisible(false); }
  void Close();
  // Shows the form with every other form of the application disabled and runs
  // messages until ModalResult is set (or the application terminates: mrCancel).
  int ShowModal();
  int ModalResult = mrNone;

  TFormStyle FormStyle() const { return formStyle_; }
  // Takes effect for a window created afterwards.
  void SetFormStyle(TFormStyle style) { formStyle_ = style; }

  std::string Caption() const;
  void SetCaption(const std::string& caption);

  TNotifyEvent OnShow;  // the window is being shown (also when its owner is restored)
  TNotifyEvent OnHide;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

  // Called by the message loop for every message meant for this form or a window in
  // it before it is dispatched; true means it has been handled. The default gives the
  // form dialog keys (Tab between controls; Escape and Enter arrive as WM_COMMAND
  // IDCANCEL and IDOK).
  virtual bool PreprocessMessage(MSG& message);

 protected:
  // Default: overlapped window with system menu, sizable, minimise and maximise box,
  // WS_EX_CONTROLPARENT, owned by the application window, class "ArdenixForm".
  void CreateParams(TCreateParams& params) override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  virtual bool CloseQuery();
  virtual void DoClose(TCloseAction& action);
  virtual void DoShow();
  virtual void DoHide();

 private:
  LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
  void OnShowWindow(WPARAM wParam, LPARAM lParam);

  bool OnActivate(WPARAM wParam);

  std::string caption_;
  HWND lastFocus_ = nullptr;  // the control that had the focus when the form was left
  bool visible_ = false;
  bool modal_ = false;
  TFormStyle formStyle_ = TFormStyle::Normal;
};
