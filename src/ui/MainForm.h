#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "AdapterSource.h"
#include "ApplyNotice.h"
#include "CoreServices.h"
#include "Form.h"
#include "Handle.h"
#include "ImageList.h"
#include "ListEntry.h"
#include "NetworkArrival.h"
#include "ProfileActions.h"
#include "ProfileIni.h"
#include "ProfileListView.h"
#include "StoreFiles.h"

class TApplyFollower;
class TAdapterPart;
class TNetworkWatch;
class TPanel;
struct TApplyReport;
class TProfileEditor;
class TSplitter;
class TStatusBar;
class TStoreKeeper;
class TToolBar;
class TTraySide;

// The main window: the list of profiles on the left, the editor of the selected profile
// on the right (TProfileEditor), the toolbar above and the status bar below (TStatusBar)
// with the adapter's state (TAdapterPart), and the program's place in the notification
// area (TTraySide). Creating it loads the store
// beside the executable into the list; closing it commits the editor and writes the
// store anew (an error keeps it open). The window carries out the commands and ties the
// parts together: the selection moving commits the editor into the entry it shows and
// loads the newly selected one.
//
// Ownership, one rule for the parts: each part (the tool bar, the status bar, the panels, the splitter,
// the list, the editor, the adapter part, the notification-area side) is a plain object held by a std::unique_ptr member
// of the form, and only there. Its lifetime then reads off this class: the parts go in
// reverse order of declaration once the window and its controls are gone, so that the
// list's entries outlive the control that shows them. The one earlier end is in the
// destructor: the notification-area side goes first, since its icon has hooked the
// window. Framework components are not parts: the image list, the tray icon and the menus
// are components of the form because the framework reaches them through their owner
// (loading when building ends, removal notices); one that a part makes, the part deletes.
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
    cmReadCurrent,
    cmRename,  // F2: the selected entry's caption opens for editing
  };

  TfrmMain(TComponent* Owner, TCoreServices services);
  ~TfrmMain() override;

  // The list: its entries in list order, the selected one, adding and removing.
  TProfileListView& List() { return *listView_; }
  TProfileEditor& Editor() const { return *editor_; }
  TTraySide& Tray() const { return *tray_; }

  // Applies a profile now (the temporary script beside the executable, then netsh) and
  // follows netsh to the report, which the balloon, the icon's tooltip and the status bar
  // show, titled `caption` and introduced as `reason` has it (ReportFor). While netsh runs
  // and its result is read, the status bar's adapter part and the tooltip say so, and the
  // icon shows its busy picture. Another apply is refused while one holds the script.
  void Apply(const std::string& caption, const TNetInfo& profile,
             TApplyReason reason = TApplyReason::User);
  // Reads the store into the list (a store that cannot be read is shown once and held:
  // see TStoreKeeper).
  void LoadStore();
  // Something the store holds changed: it is saved after a quiet moment.
  void StoreChanged();
  TStoreKeeper& Keeper() const { return *keeper_; }

  // The status bar's second part: the state of the adapter the editor names, the last
  // apply's report, or where the last batch file went; while an apply is pending, that
  // one ("Applying Office on Ethernet…") whatever `text` is.
  void ShowAdapterStatus(const std::string& text);

  // The system said, or the 2 s fallback looked: the network may have changed. The adapters
  // are read once and what shows them follows (the tray's marks and tooltip, and the
  // status part while it shows the adapter's state rather than a report).
  void NetworkMayHaveChanged();
  TNetworkWatch& NetworkWatch() const { return *watch_; }

  // Minimise, as the toolbar's Minimize button does.
  void MinimizeApplication();

  // The credits dialog shown by Help; the form is told when it goes away.
  void SetCreditsDialog(TForm* dialog);

  // The controls, for the owner's hooks and for tests.
  HWND ToolBar1() const;
  HWND StatusBar() const;
  HWND ListViewHandle() const { return listView_->Handle(); }
  HWND PanLeft() const;
  HWND PanRight() const;
  HWND Splitter1() const;
  TImageList& ImgList() const { return *imgList_; }
  int PanLeftWidth() const { return panLeftWidth_; }

 protected:
  void CreateParams(TCreateParams& params) override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool CloseQuery() override;
  void DoShow() override;
  bool PreprocessMessage(MSG& message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  struct TCommandHandler {
    int id;
    void (TfrmMain::*handler)();
  };
  static const TCommandHandler kCommands[];

  // Building.
  void LoadImages();
  FontHandle MakeFont() const;  // the controls' font at the current DPI
  void CreatePanels();
  void CreateTray();
  void ApplyFont();
  void Relayout();
  void GrowToHoldEditor();
  int Scale(int pixels) const;

  // The editor and the selected entry: both do nothing when no entry is selected, and
  // CommitEditor writes only into the entry the editor was loaded from.
  void CommitEditor();
  void LoadEditor();

  // Messages.
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
  LRESULT OnNotify(const NMHDR& header, LPARAM lParam);
  LRESULT OnListNotify(const NMHDR& header, LPARAM lParam);
  LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
  LRESULT OnEndLabelEdit(LPARAM lParam);

  // Commands.
  void NewConnection();
  void RenameSelected();
  void ConnectSelected();
  void SaveSelectedAs();
  void DeleteSelected();
  void ShowCredits();
  void ShowReport(const TApplyReport& report);
  // What shows while an apply is pending; empty when none is.
  std::string ApplyingNow() const;
  void BindEntry(const std::string& caption, const TAdapterState& adapter);
  void ReadCurrentSettings();

  // The watch's fallback runs only while a profile asks to be offered or switched to.
  void UpdateNetworkWatch();
  bool AnyProfileAsks() const;
  TNetworkArrival::TActions ArrivalActions();
  // What follows the adapters, told of a reading taken already (the one taken at start).
  void NetworkIsNow(const TAdapterReading& reading);

  // A caption refused (blank, or naming another entry's section): why, or none.
  std::optional<std::string> CaptionRefusal(const TListEntry& entry, const std::string& caption) const;
  TProfileList ListedWithEditor();

  TCoreServices services_;
  TImageList* imgList_ = nullptr;  // a component of the form
  TForm* credits_ = nullptr;
  int dpi_ = USER_DEFAULT_SCREEN_DPI;
  int panLeftWidth_ = 185;    // at the current DPI
  SIZE laidOutSize_{-1, -1};  // the client size Relayout last placed the controls for
  bool shownBefore_ = false;
  bool statusShowsAdapter_ = false;  // the status part shows the adapter part's text
  TListEntry* editorEntry_ = nullptr;  // the entry the editor was last loaded from
  FontHandle font_;         // the controls' font at the current DPI
  std::unique_ptr<TToolBar> toolBar_;
  std::unique_ptr<TStatusBar> statusBar_;
  std::unique_ptr<TPanel> panLeft_;
  std::unique_ptr<TSplitter> splitter_;
  std::unique_ptr<TPanel> panRight_;
  std::unique_ptr<TProfileListView> listView_;
  std::unique_ptr<TProfileEditor> editor_;
  std::unique_ptr<TAdapterPart> adapters_;
  std::unique_ptr<TTraySide> tray_;
  std::unique_ptr<TApplyFollower> follower_;
  std::unique_ptr<TStoreKeeper> keeper_;
  std::unique_ptr<TNetworkWatch> watch_;
  std::unique_ptr<TNetworkArrival> arrival_;
};
