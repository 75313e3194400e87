#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CreditsLabel.h"
#include "Form.h"
#include "Handle.h"

// The credits dialog: the program's name and version, that it works through netsh, and
// link labels that open the makers' web and mail addresses. Created at start-up, its
// window and labels only when first shown or asked for; shown modally by the main
// window's Help button; Escape closes it.
class TfrmAbout : public TForm {
 public:
  // The labels, in the order they are laid out.
  enum TLabelId : int {
    lblVer,
    lblDB,
    Label6,
    Label4,
    Label1,
    Label5,
    Label10,
    Label11,
    Label3,
    Label2,
    Label8,
    LabelCount,
  };

  explicit TfrmAbout(TComponent* Owner);
  ~TfrmAbout() override;

  // The labels and their tooltips are made when the dialog is first shown or first asked
  // for: until then the hidden dialog costs the program's start little.
  TCreditsLabel& LabelAt(TLabelId id) {
    CreateContent();
    return *labels_[static_cast<size_t>(id)];
  }
  HWND ToolTips() {
    CreateContent();
    return toolTips_;
  }

  // How a link's address is opened; the default hands it to the shell. Replaceable for
  // tests.
  std::function<void(const std::string& address)> OpenAddress;

  // The dialog's background (the light label colours need a dark one).
  static constexpr COLORREF kBackground = RGB(0x1F, 0x3A, 0x5F);

  bool PreprocessMessage(MSG& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void DoShow() override;
  void WindowCreated() override;

 private:
  void CreateContent();
  void CreateLabels();
  void AddToolTip(TCreditsLabel& label);
  void PlaceLabels();
  void ResizeToClient();

  int dpi_ = USER_DEFAULT_SCREEN_DPI;
  BrushHandle background_;
  HWND toolTips_ = nullptr;  // destroyed with the dialog's window
  std::vector<std::unique_ptr<TCreditsLabel>> labels_;
};

// Opens an address with the shell's default action (web page, mail program). The result
// is not looked at; an empty address does nothing.
void OpenAddressWithShell(const std::string& address);
