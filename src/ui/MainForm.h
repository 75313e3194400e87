#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "Form.h"
#include "Handle.h"
#include "ImageList.h"
#include "ListEntry.h"
#include "ProfileActions.h"
#include "ProfileListView.h"
#include "StoreFiles.h"

class TAddressEdit;
class TPanel;
class TSessionEndSaver;
class TSplitter;
class TTrayIcon;
class TTrayMenu;

// What the main window works with besides its own controls: where the program lives
// (its store and script lie beside it), the files, and applying and exporting profiles.
struct TMainFormServices {
  ISystemPaths& Paths;
  IStoreFiles& StoreFiles;
  TProfileActions& Actions;
};

// The main window: the list of profiles on the left, the editor of the selected profile
// on the right, the toolbar above and the status bar below. Creating it loads the store
// beside the executable into the list; closing it commits the editor and writes the
// store anew (an error keeps it open).
//
// It also keeps the program in the notification area: its icon is there from start to
// end, minimising hides the program there, and the icon's menu applies a profile,
// brings the window back (Configure) or ends the program (Exit, which saves as closing
// does). A session end saves too, without ever holding the session up.
class TfrmMain : public TForm {
 public:
  // The toolbar's commands (WM_COMMAND identifiers).
  enum TCommand : int {
    cmNew = 101,
    cmApply,
    cmSaveAs,
    cmDelete,
    cmMinimize,
    cmHelp,
  };

  // The six address fields, in editor (and tab) order.
  enum TAddressField : int { afIP, afSN, afDG, afDNS, afADNS, afWINS, afCount };

  TfrmMain(TComponent* Owner, TMainFormServices services);
  ~TfrmMain() override;

  // The list: its entries in list order, the selected one, adding and removing.
  TProfileListView& List() { return *listView_; }

  // The editor and the list exchange values through these (see the list's
  // notifications); both do nothing when no entry is selected. CommitEditor writes only
  // into the selected entry when the editor was loaded from it.
  void CommitEditor();
  void LoadEditor();
  void UpdateEnabledState();

  // Applies a profile now (the temporary script beside the executable, then netsh).
  void Apply(const TNetInfo& profile);
  // Reads the store into the list / writes the list into the store.
  void LoadStore();
  void SaveStore();

  // Minimise, as the toolbar's Minimize button does.
  void MinimizeApplication();

  // The notification area. Configure brings the application back when it is minimised
  // (hidden in the notification area) and otherwise does nothing: an open window is not
  // brought to the front. Exit closes the window as its close button does (the editor
  // is committed and the store written); an error is shown and the program goes on.
  void Configure();
  void Exit();
  TTrayIcon& TrayIcon() const { return *trayIcon_; }
  TTrayMenu& TrayMenu() const { return *trayMenu_; }

  // The credits dialog shown by Help; the form is told when it goes away.
  void SetCreditsDialog(TForm* dialog);

  // The controls, for the owner's hooks and for tests.
  HWND ToolBar1() const { return toolBar_; }
  HWND StatusBar() const { return statusBar_; }
  HWND ListViewHandle() const { return listView_->Handle(); }
  HWND PanLeft() const;
  HWND PanRight() const;
  HWND Splitter1() const;
  HWND EdLAN() const { return edLAN_; }
  HWND EdDHCP() const { return edDHCP_; }
  HWND AddressField(TAddressField field) const;
  TAddressEdit& AddressEdit(TAddressField field) const { return *addressFields_[field]; }
  TImageList& ImgList() const { return *imgList_; }
  int PanLeftWidth() const { return panLeftWidth_; }

 protected:
  void CreateParams(TCreateParams& params) override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool CloseQuery() override;
  void DoShow() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  struct TCommandHandler {
    int id;
    void (TfrmMain::*handler)();
  };
  static const TCommandHandler kCommands[];

  // Building.
  void LoadImages();
  void CreateTray();
  void CreateFonts();
  void CreateToolBar();
  void CreateStatusBar();
  void CreatePanels();
  void CreateEditor();
  RECT EditorPlace(int y, int width, int height) const;  // in panRight, at the DPI
  HWND CreateLabel(const char* text, int y);
  void ApplyFonts();
  void PlaceEditor();
  void Relayout();
  int Scale(int pixels) const;

  // Messages.
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
  LRESULT OnNotify(const NMHDR& header, LPARAM lParam);
  LRESULT OnListNotify(const NMHDR& header, LPARAM lParam);
  LRESULT OnToolTipText(LPARAM lParam);
  LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
  LRESULT OnEndLabelEdit(LPARAM lParam);

  // Commands.
  void NewConnection();
  void ConnectSelected();
  void SaveSelectedAs();
  void DeleteSelected();
  void ShowCredits();
  void DhcpClicked();

  std::string StorePath();

  TMainFormServices services_;
  TImageList* imgList_ = nullptr;  // owned as a component of the form
  TForm* credits_ = nullptr;
  int dpi_ = USER_DEFAULT_SCREEN_DPI;
  int panLeftWidth_ = 185;    // at the current DPI
  SIZE laidOutSize_{-1, -1};  // the client size Relayout last placed the controls for
  bool shownBefore_ = false;
  TListEntry* editorEntry_ = nullptr;  // the entry the editor was last loaded from
  FontHandle font_;
  HWND toolBar_ = nullptr;  // child windows: destroyed with the form's window
  HWND statusBar_ = nullptr;
  std::unique_ptr<TPanel> panLeft_;
  std::unique_ptr<TSplitter> splitter_;
  std::unique_ptr<TPanel> panRight_;
  std::unique_ptr<TProfileListView> listView_;
  HWND edLAN_ = nullptr;
  HWND edDHCP_ = nullptr;
  std::array<std::unique_ptr<TAddressEdit>, afCount> addressFields_;
  std::array<HWND, 7> labels_{};
  std::unique_ptr<TTrayMenu> trayMenu_;  // its menus are components of the form
  TTrayIcon* trayIcon_ = nullptr;        // a component of the form, deleted first
  std::unique_ptr<TSessionEndSaver> sessionEnd_;
};
