#include "MainForm.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <utility>

#include "ActiveProfiles.h"
#include "AdapterPart.h"
#include "Application.h"
#include "ApplyFollower.h"
#include "ChildWindow.h"
#include "CaptionNames.h"
#include "EditorNetwork.h"
#include "ListStore.h"
#include "NetworkArrival.h"
#include "NetworkWatch.h"
#include "Panel.h"
#include "ProcessElevation.h"
#include "ProfileAdapter.h"
#include "ProfileEditor.h"
#include "ProfileNetwork.h"
#include "ProfileStore.h"
#include "SiblingPath.h"
#include "Splitter.h"
#include "StatusBar.h"
#include "StoreKeeper.h"
#include "ToolBar.h"
#include "TraySide.h"
#include "Win32NetworkChangeNotices.h"
#include "WorkAreaPlacement.h"
#include "res/Resources.h"
#include "res/Version.h"

namespace {

// Control identifiers of the children.
enum : int {
  idToolBar = 1,
  idStatusBar,
  idPanLeft,
  idSplitter,
  idPanRight,
  idListView,
};

constexpr char kCaption[] = "Ardenix " ARDENIX_VERSION;
constexpr char kNewCaption[] = "Current Configuration";
constexpr char kEmptyListText[] =
    "New Connection makes a profile; Read Current Settings fills it from this computer";

// Designed at 96 DPI.
constexpr int kDesignLeft = 372;
constexpr int kDesignTop = 266;
constexpr int kDesignWidth = 440;
constexpr int kDesignHeight = 411;
constexpr int kPanLeftWidth = 185;
constexpr int kSplitterWidth = 3;
constexpr int kFontPoints = 8;
constexpr int kImageSide = 16;

constexpr TToolButton kToolButtons[] = {
    {TfrmMain::cmNew, 0, "New Connection"},
    {TfrmMain::cmApply, 2, "Connect"},
    {TfrmMain::cmReadCurrent, 8, "Read Current Settings"},
    {TfrmMain::cmSaveAs, 7, "Save as Batch File"},
    {TfrmMain::cmDelete, 3, "Delete Connection"},
    {TfrmMain::cmMinimize, 4, "Minimize"},
    {TfrmMain::cmHelp, 5, "Help"},
};

}  // namespace

const TfrmMain::TCommandHandler TfrmMain::kCommands[] = {
    {cmNew, &TfrmMain::NewConnection},
    {cmApply, &TfrmMain::ConnectSelected},
    {cmSaveAs, &TfrmMain::SaveSelectedAs},
    {cmDelete, &TfrmMain::DeleteSelected},
    {cmMinimize, &TfrmMain::MinimizeApplication},
    {cmHelp, &TfrmMain::ShowCredits},
    {cmReadCurrent, &TfrmMain::ReadCurrentSettings},
    {cmRename, &TfrmMain::RenameSelected},
};

namespace {

// Keys a Windows list answers, as commands. `inList`: only while the list itself has the
// keyboard focus (not its caption editor), so Delete and F2 keep their meaning in the
// editor's fields.
struct TKeyCommand {
  UINT key;
  bool control;
  bool inList;
  int command;
};
constexpr TKeyCommand kKeyCommands[] = {
    {VK_DELETE, false, true, TfrmMain::cmDelete},
    {VK_F2, false, true, TfrmMain::cmRename},
    {'N', true, false, TfrmMain::cmNew},
};

}  // namespace

TfrmMain::TfrmMain(TComponent* Owner, TCoreServices services)
    : TForm(Owner), services_(services) {
  SetName("frmMain");
  imgList_ = new TImageList(this);
  imgList_->SetName("imgList");

  WindowHandle();
  dpi_ = static_cast<int>(GetDpiForWindow(Handle()));
  if (dpi_ <= 0) dpi_ = USER_DEFAULT_SCREEN_DPI;
  panLeftWidth_ = Scale(kPanLeftWidth);
  if (dpi_ != USER_DEFAULT_SCREEN_DPI) {
    SetWindowPos(Handle(), nullptr, 0, 0, Scale(kDesignWidth), Scale(kDesignHeight),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  LoadImages();
  font_ = MakeFont();
  toolBar_ = std::make_unique<TToolBar>(Handle(), idToolBar, imgList_->Handle(), kToolButtons);
  statusBar_ = std::make_unique<TStatusBar>(Handle(), idStatusBar, dpi_);
  CreatePanels();
  ApplyFont();
  Relayout();
  GrowToHoldEditor();
  MoveIntoWorkArea(Handle());
  keeper_ = std::make_unique<TStoreKeeper>(
      StorePathBeside(services_.Paths), services_.StoreFiles,
      TStoreKeeper::TEvents{[this] { return ListedWithEditor(); },
                            [this](const std::string& problem) {
                              statusBar_->ShowStoreProblem(problem);
                            },
                            [](const std::string& question) -> std::optional<bool> {
                              const int answer = Application->Ask(question, MB_YESNOCANCEL);
                              if (answer == IDCANCEL) return std::nullopt;
                              return answer == IDYES;
                            }});
  LoadStore();
  CreateTray();
  follower_ = std::make_unique<TApplyFollower>(
      services_.Adapters, [this](const TApplyReport& report) { ShowReport(report); });
  follower_->OnPending = [this](const TApplyFollower::TPending&) {
    const std::string applying = ApplyingNow();
    statusBar_->ShowAdapterText(applying);
    tray_->ShowApplying(applying);
  };
  watch_ = std::make_unique<TNetworkWatch>(std::make_unique<TWin32NetworkChangeNotices>(),
                                           [this] { NetworkMayHaveChanged(); });
  arrival_ = std::make_unique<TNetworkArrival>(ArrivalActions());
  UpdateNetworkWatch();
  // Once at start: a profile's network that is here already is recognised now, from the
  // reading the tray was made from.
  if (AnyProfileAsks()) NetworkIsNow(adapters_->StartReading());
}

TfrmMain::~TfrmMain() {
  // No change of network is told to the parts going away.
  watch_.reset();
  // Ended without closing (Exit): a save that is due is made while the editor is there.
  keeper_->SaveDueNow();
  // A pending apply is let go of, not waited for.
  follower_.reset();
  // First, while the window it has hooked still exists.
  tray_.reset();
  // The controls go with the window; the parts behind them after it.
  DestroyWindowHandle();
}

void TfrmMain::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  params.ClassName = "TfrmMain";
  params.Caption = kCaption;
  params.Style =
      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  params.X = kDesignLeft;
  params.Y = kDesignTop;
  params.Width = kDesignWidth;
  params.Height = kDesignHeight;
  params.Background = GetSysColorBrush(COLOR_BTNFACE);
  HINSTANCE instance = GetModuleHandleA(nullptr);
  params.Icon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_ARDENIX), IMAGE_ICON,
                                              0, 0, LR_DEFAULTSIZE | LR_SHARED));
  params.SmallIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_ARDENIX),
                                                   IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), LR_SHARED));
}

int TfrmMain::Scale(int pixels) const {
  return MulDiv(pixels, dpi_, USER_DEFAULT_SCREEN_DPI);
}

// The strip is drawn at 16 x 16; the list holds its images at the window's scale.
void TfrmMain::LoadImages() {
  imgList_->SetImageSize(Scale(kImageSide), Scale(kImageSide));
  imgList_->AddStripResource(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_IMAGES), kImageSide,
                             kImageSide);
  if (imgList_->Count() != IMG_COUNT) throw std::runtime_error("The image list is incomplete");
}

FontHandle TfrmMain::MakeFont() const {
  LOGFONTA logFont{};
  logFont.lfHeight = -MulDiv(kFontPoints, dpi_, 72);
  logFont.lfWeight = FW_NORMAL;
  logFont.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(logFont.lfFaceName, "MS Sans Serif", LF_FACESIZE);
  return FontHandle(CreateFontIndirectA(&logFont));
}

void TfrmMain::ShowAdapterStatus(const std::string& text) {
  const std::string applying = ApplyingNow();
  statusBar_->ShowAdapterText(applying.empty() ? text : applying);
  statusShowsAdapter_ = false;
}

void TfrmMain::CreatePanels() {
  panLeft_ = std::make_unique<TPanel>(Handle(), idPanLeft);
  splitter_ = std::make_unique<TSplitter>(Handle(), idSplitter);
  panRight_ = std::make_unique<TPanel>(Handle(), idPanRight);
  listView_ =
      std::make_unique<TProfileListView>(panLeft_->Handle(), idListView, imgList_->Handle());
  // The selection about to move or a caption about to change: the editor goes into the
  // selected entry; once changed, the selected entry comes into the editor.
  listView_->OnChanging = [this] { CommitEditor(); };
  listView_->OnChanged = [this] { LoadEditor(); };
  listView_->SetEmptyText(kEmptyListText);
  splitter_->OnMoved = [this](int left) {
    RECT client;
    GetClientRect(Handle(), &client);
    panLeftWidth_ = std::clamp(left, 0, std::max<int>(0, client.right - Scale(kSplitterWidth)));
    Relayout();
  };
  editor_ = std::make_unique<TProfileEditor>(panRight_->Handle(), static_cast<UINT>(dpi_),
                                             ProcessIsElevated());
  adapters_ = std::make_unique<TAdapterPart>(
      services_.Adapters, *editor_, [this](const std::string& text) {
        ShowAdapterStatus(text);
        statusShowsAdapter_ = true;
      });
  editor_->OnLanDropDown = [this] { adapters_->FillAdapterList(); };
  editor_->OnLanChanged = [this](const std::string& name) { adapters_->NameChanged(name); };
  editor_->OnLanPicked = [this](const std::string& name) { adapters_->AdapterPicked(name); };
  editor_->OnEdited = [this] { StoreChanged(); };
}

// Before the window is first shown nothing needs repainting.
void TfrmMain::ApplyFont() {
  const HFONT font = font_.Get();
  const BOOL redraw = IsWindowVisible(Handle());
  for (HWND window : {toolBar_->Handle(), statusBar_->Handle(), listView_->Handle()}) {
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
  }
  editor_->SetFont(font, redraw != FALSE);
}

void TfrmMain::Relayout() {
  if (!toolBar_ || !statusBar_ || !panRight_ || !editor_) return;
  SendMessageA(toolBar_->Handle(), TB_AUTOSIZE, 0, 0);
  SendMessageA(statusBar_->Handle(), WM_SIZE, 0, 0);
  RECT client, toolRect, statusRect;
  GetClientRect(Handle(), &client);
  laidOutSize_ = SIZE{client.right, client.bottom};
  GetWindowRect(toolBar_->Handle(), &toolRect);
  GetWindowRect(statusBar_->Handle(), &statusRect);
  const int top = toolRect.bottom - toolRect.top;
  const int bottom = client.bottom - (statusRect.bottom - statusRect.top);
  const int height = std::max(0, bottom - top);
  const int splitterWidth = Scale(kSplitterWidth);
  const int left =
      std::min(panLeftWidth_, std::max(0, static_cast<int>(client.right) - splitterWidth));
  panLeft_->SetBounds(0, top, left, height);
  MoveWindow(listView_->Handle(), 0, 0, left, height, TRUE);
  splitter_->SetBounds(left, top, splitterWidth, height);
  panRight_->SetBounds(left + splitterWidth, top, client.right - left - splitterWidth, height);
}

// The designed size leaves no room below the address fields, where the editor shows the
// profile's network: the window is made taller (never smaller) until the right panel
// holds the whole editor. Measured rather than designed, since the title bar, tool bar
// and status bar take what the system's metrics say.
void TfrmMain::GrowToHoldEditor() {
  RECT panel{};
  GetClientRect(panRight_->Handle(), &panel);
  const int missing = editor_->Height() - panel.bottom;
  if (missing <= 0) return;
  RECT window{};
  GetWindowRect(Handle(), &window);
  SetWindowPos(Handle(), nullptr, 0, 0, window.right - window.left,
               window.bottom - window.top + missing, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Relayout();
}

HWND TfrmMain::ToolBar1() const {
  return toolBar_->Handle();
}
HWND TfrmMain::StatusBar() const {
  return statusBar_->Handle();
}
HWND TfrmMain::PanLeft() const {
  return panLeft_->Handle();
}
HWND TfrmMain::PanRight() const {
  return panRight_->Handle();
}
HWND TfrmMain::Splitter1() const {
  return splitter_->Handle();
}

// --- Messages -------------------------------------------------------------------------

LRESULT TfrmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (tray_) tray_->Notice(message, wParam);
  switch (message) {
    case WM_COMMAND:
      return OnCommand(wParam, lParam);
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam), lParam);
    case WM_SIZE:
      // The first showing reports the size the window was built at: nothing to move.
      if (LOWORD(lParam) != laidOutSize_.cx || HIWORD(lParam) != laidOutSize_.cy) Relayout();
      break;
    case WM_DPICHANGED:
      return OnDpiChanged(wParam, lParam);
    default:
      break;
  }
  return TForm::HandleMessage(message, wParam, lParam);
}

LRESULT TfrmMain::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (editor_ && editor_->HandleCommand(wParam)) return 0;
  const int id = LOWORD(wParam);
  for (const TCommandHandler& command : kCommands) {
    if (command.id == id) {
      (this->*command.handler)();
      return 0;
    }
  }
  return TForm::HandleMessage(WM_COMMAND, wParam, lParam);
}

LRESULT TfrmMain::OnNotify(const NMHDR& header, LPARAM lParam) {
  if (listView_ && header.hwndFrom == listView_->Handle()) return OnListNotify(header, lParam);
  if (header.code == TTN_GETDISPINFOA && toolBar_)
    toolBar_->GiveToolTipText(*reinterpret_cast<NMTTDISPINFOA*>(lParam));
  return 0;
}

LRESULT TfrmMain::OnListNotify(const NMHDR& header, LPARAM lParam) {
  switch (header.code) {
    case LVN_BEGINLABELEDITA:
      return FALSE;
    case LVN_ENDLABELEDITA:
      return OnEndLabelEdit(lParam);
    case NM_CLICK:
      if (reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem < 0) listView_->ClearSelection();
      return 0;
    default: {
      // Texts, images, search, selection and focus: the list's entries answer them.
      LRESULT result = 0;
      listView_->HandleNotify(header, lParam, result);
      return result;
    }
  }
}

LRESULT TfrmMain::OnEndLabelEdit(LPARAM lParam) {
  const auto& edit = *reinterpret_cast<const NMLVDISPINFOA*>(lParam);
  if (!edit.item.pszText) return FALSE;  // Escape: the caption stays
  TListEntry* entry = listView_->EntryAt(edit.item.iItem);
  if (!entry) return FALSE;
  if (std::optional<std::string> refusal = CaptionRefusal(*entry, edit.item.pszText)) {
    Application->ShowErrorText(*refusal);
    return FALSE;
  }
  listView_->SetCaption(*entry, edit.item.pszText);
  StoreChanged();
  return FALSE;  // the text is set already, and the entry may have moved
}

// Either would lose a profile at the next save: a blank caption names no section of the
// store, and a caption naming another entry's section merges the two into one.
std::optional<std::string> TfrmMain::CaptionRefusal(const TListEntry& entry,
                                                    const std::string& caption) const {
  const std::string stays = "; it stays \"" + entry.Caption + "\".";
  if (!NamesASection(caption)) return "A connection needs a name" + stays;
  for (int index = 0; index < listView_->Count(); ++index) {
    const TListEntry* other = listView_->EntryAt(index);
    if (other != &entry && NameTheSameSection(other->Caption, caption))
      return "There is a connection named \"" + other->Caption + "\" already" + stays;
  }
  return std::nullopt;
}

LRESULT TfrmMain::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
  const int newDpi = HIWORD(wParam);
  panLeftWidth_ = MulDiv(panLeftWidth_, newDpi, dpi_);
  dpi_ = newDpi;
  {
    // The controls draw with the old font until they have the new one: it goes after.
    const FontHandle old = std::exchange(font_, MakeFont());
    ApplyFont();
  }
  editor_->SetDpi(static_cast<UINT>(dpi_));
  statusBar_->SetDpi(dpi_);
  LoadImages();
  toolBar_->ImagesChanged();
  listView_->ImagesChanged();
  const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
  SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  Relayout();
  GrowToHoldEditor();
  return 0;
}

bool TfrmMain::PreprocessMessage(MSG& message) {
  if (message.message == WM_KEYDOWN) {
    const bool control = GetKeyState(VK_CONTROL) < 0;
    for (const TKeyCommand& key : kKeyCommands) {
      if (key.key != message.wParam || key.control != control) continue;
      if (key.inList && message.hwnd != listView_->Handle()) continue;
      if (message.hwnd == ListView_GetEditControl(listView_->Handle())) continue;
      OnCommand(MAKEWPARAM(key.command, 0), 0);
      return true;
    }
  }
  return TForm::PreprocessMessage(message);
}

void TfrmMain::DoShow() {
  editor_->UpdateEnabledState();
  adapters_->Showing();
  TForm::DoShow();
  if (!shownBefore_) {
    shownBefore_ = true;
    SetFocus(listView_->Handle());  // the list has the focus at start
  }
}

bool TfrmMain::CloseQuery() {
  if (!TForm::CloseQuery()) return false;
  // An error ends the closing here: the window stays open.
  return keeper_->SaveForClosing();
}

void TfrmMain::Notification(TComponent* AComponent, TOperation Operation) {
  TForm::Notification(AComponent, Operation);
  if (Operation == TOperation::Remove && AComponent == credits_) credits_ = nullptr;
  if (Operation == TOperation::Remove && AComponent == imgList_) imgList_ = nullptr;
}

// --- The editor -----------------------------------------------------------------------

void TfrmMain::CommitEditor() {
  TListEntry* entry = listView_ ? listView_->Selected() : nullptr;
  // Only into the entry the editor shows. When the selection moves from A to B, the list
  // may mark B selected before it reports A losing the focus (Wine does); committing
  // then would overwrite B with A's values before B is loaded.
  if (!entry || entry != editorEntry_ || !editor_) return;
  editor_->Commit(entry->Profile);
}

void TfrmMain::LoadEditor() {
  TListEntry* entry = listView_ ? listView_->Selected() : nullptr;
  if (entry && editor_) {
    editorEntry_ = entry;
    editor_->Load(entry->Profile);
  }
  if (adapters_) adapters_->EntryShown(entry);
}

// The values read go into the editor as typed ones do, and are saved as they are; the
// network the adapter is on is remembered with them.
void TfrmMain::ReadCurrentSettings() {
  if (!listView_->Selected()) return;
  const TAdapterState adapter = adapters_->ReadCurrentSettings();
  // The network goes into the entry and into the editor's own copy, which would undo it at
  // the next commit otherwise; the values read wait in the editor as typed ones do.
  RememberNetwork(listView_->Selected()->Profile, adapter);
  TNetInfo network;
  editor_->Network().Commit(network);
  RememberNetwork(network, adapter);
  editor_->Network().Load(network);
  StoreChanged();  // the adapter's identity, learned, is a change even when nothing else is
}

// --- Store and commands ---------------------------------------------------------------

void TfrmMain::LoadStore() {
  try {
    ShowProfiles(*listView_, keeper_->Load());
  } catch (const TStoreReadError& error) {
    // The window works on with an empty list; the store is held (not written or removed).
    Application->ShowErrorText(std::string(error.what()) +
                               ". Ardenix leaves the file as it is and works on without its "
                               "connections; at closing it asks before writing over it");
  }
  UpdateNetworkWatch();
}

void TfrmMain::StoreChanged() {
  if (keeper_) keeper_->Changed();
  UpdateNetworkWatch();
}

// The profiles as listed: a choice made in the editor counts once it is in its entry.
void TfrmMain::UpdateNetworkWatch() {
  if (watch_ && listView_) watch_->SetWanted(AnyProfileAsks());
}

bool TfrmMain::AnyProfileAsks() const {
  for (int index = 0; index < listView_->Count(); ++index) {
    if (NetworkActionOf(listView_->EntryAt(index)->Profile) != TNetworkAction::Nothing) return true;
  }
  return false;
}

// The recogniser's decisions carried out as the tray side and the tray menu do. An
// automatic switch waits for the user (it becomes an offer) while they are editing that
// very profile, or while another apply is pending.
TNetworkArrival::TActions TfrmMain::ArrivalActions() {
  TNetworkArrival::TActions actions;
  actions.Offer = [this](const std::string& adapter, const std::vector<std::string>& captions) {
    if (tray_) tray_->Offer(adapter, captions);
  };
  actions.Mark = [this](const std::vector<std::string>& captions) {
    if (tray_) tray_->SetRecognised(captions);
  };
  actions.Switch = [this](const std::string& caption) {
    TListEntry* entry = listView_->EntryCaptioned(caption);
    if (!entry) return true;
    const bool editing = entry == editorEntry_ && IsChild(panRight_->Handle(), GetFocus());
    if (editing || follower_->PendingRun()) return false;
    CommitEditor();
    Apply(entry->Caption, entry->Profile, TApplyReason::Automatic);
    return true;
  };
  return actions;
}

void TfrmMain::NetworkMayHaveChanged() { NetworkIsNow(services_.Adapters.Read()); }

// The profiles in force are found once, for the tooltip and the recognition alike.
void TfrmMain::NetworkIsNow(const TAdapterReading& reading) {
  if (statusShowsAdapter_) adapters_->NetworkMayHaveChanged(reading);
  const std::vector<TNamedProfile> profiles = NamedProfiles(*listView_);
  const std::vector<std::size_t> active = ActiveProfiles(profiles, reading);
  if (tray_) tray_->ShowActive(profiles, active);
  if (arrival_) arrival_->Check(reading, profiles, active);
}

TProfileList TfrmMain::ListedWithEditor() {
  CommitEditor();
  return ListedProfiles(*listView_);
}

void TfrmMain::Apply(const std::string& caption, const TNetInfo& profile, TApplyReason reason) {
  // A script that cannot be written throws before anything starts: the pending run, if
  // any, goes on.
  follower_->Apply(
      caption, profile, [&](const TNetInfo& script) { return services_.Actions.Apply(script); },
      reason);
}

// A report ends the pending apply, unless it is that of an apply refused while another
// is pending: then its balloon shows, and the pending one stays on show.
void TfrmMain::ShowReport(const TApplyReport& report) {
  if (report.VerifiedOn) BindEntry(report.Title, *report.VerifiedOn);
  ShowAdapterStatus(report.Text);
  if (!tray_) return;
  tray_->RefreshActive();
  tray_->ShowApplying(ApplyingNow());
  tray_->ShowReport(report);
}

std::string TfrmMain::ApplyingNow() const {
  const TApplyFollower::TPending* pending = follower_ ? follower_->PendingRun() : nullptr;
  return pending ? ApplyingText(pending->Caption, pending->Adapter) : std::string();
}

// A verified apply: the profile (captions name one entry each) takes the adapter's name and
// identity, unless it was edited meanwhile to name another (BindVerified). The editor's
// values go into the entry first, and come back with the adapter's.
void TfrmMain::BindEntry(const std::string& caption, const TAdapterState& adapter) {
  CommitEditor();
  TListEntry* entry = listView_->EntryCaptioned(caption);
  if (!entry || !BindVerified(entry->Profile, adapter)) return;
  if (entry == editorEntry_) LoadEditor();
  StoreChanged();
}

// The new entry is selected and its caption opened for editing, so that the editor, Read
// Current Settings and the name the user types all go to the new profile. It starts on
// this computer's own adapter (NewProfileAdapter).
void TfrmMain::NewConnection() {
  std::vector<std::string> captions;
  captions.reserve(static_cast<std::size_t>(listView_->Count()));
  for (int index = 0; index < listView_->Count(); ++index)
    captions.push_back(listView_->EntryAt(index)->Caption);
  TNetInfo profile;
  const TAdapterReading reading = services_.Adapters.Read();
  if (const TAdapterState* adapter = NewProfileAdapter(reading)) BindToAdapter(profile, *adapter);
  TListEntry& entry = listView_->Append(FreeCaption(kNewCaption, captions), profile);
  listView_->SortByCaption();
  StoreChanged();
  listView_->Select(listView_->IndexOf(&entry));
  RenameSelected();
}

void TfrmMain::RenameSelected() {
  const int index = listView_->SelectedIndex();
  if (index < 0) return;
  SetFocus(listView_->Handle());
  ListView_EditLabel(listView_->Handle(), index);
}

// Connect and export act on what the editor shows: it goes into the entry first.
void TfrmMain::ConnectSelected() {
  CommitEditor();
  if (TListEntry* entry = listView_->Selected()) Apply(entry->Caption, entry->Profile);
}

void TfrmMain::SaveSelectedAs() {
  CommitEditor();
  TListEntry* entry = listView_->Selected();
  if (!entry) return;
  if (std::optional<std::string> path = services_.Actions.Export(entry->Caption, entry->Profile))
    ShowAdapterStatus("Saved as batch file: " + *path);
}

void TfrmMain::DeleteSelected() {
  TListEntry* entry = listView_->Selected();
  if (!entry) return;
  if (entry == editorEntry_) editorEntry_ = nullptr;  // the editor keeps its values
  if (tray_) tray_->Forget(*entry);
  listView_->Remove(*entry);
  listView_->RedrawAll();
  StoreChanged();
}

void TfrmMain::MinimizeApplication() {
  Application->Minimize();
}

void TfrmMain::SetCreditsDialog(TForm* dialog) {
  credits_ = dialog;
  if (dialog) dialog->FreeNotification(this);
}

void TfrmMain::ShowCredits() {
  if (credits_) credits_->ShowModal();
}

// --- The notification area --------------------------------------------------------------

void TfrmMain::CreateTray() {
  TTraySide::TActions actions;
  // The menu's entry may be the one the editor shows: the editor goes into it first.
  actions.Apply = [this](const TListEntry& entry) {
    CommitEditor();
    Apply(entry.Caption, entry.Profile);
  };
  actions.Save = [this] { keeper_->SaveWithoutAsking(); };
  tray_ = std::make_unique<TTraySide>(*this, imgList_, *listView_, services_.Adapters,
                                      adapters_->StartReading(), std::move(actions));
}
