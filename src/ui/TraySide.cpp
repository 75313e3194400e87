#include "TraySide.h"

#include <algorithm>
#include <exception>
#include <iterator>
#include <utility>

#include "ActiveProfiles.h"
#include "AdapterSource.h"
#include "Application.h"
#include "ApplyRun.h"
#include "Form.h"
#include "ProfileListView.h"
#include "SessionEnd.h"
#include "TrayIcon.h"
#include "TrayMenu.h"
#include "Win32SystemPaths.h"
#include "res/Resources.h"

namespace {

constexpr char kTipTitle[] = "Ardenix";

// The balloon's picture for each TApplyOutcome, in the enumeration's order.
constexpr TBalloonFlags kOutcomeBalloon[] = {bfInfo, bfWarning, bfError};
static_assert(static_cast<std::size_t>(TApplyOutcome::Failed) + 1 == std::size(kOutcomeBalloon));

// How long a report's balloon stays (the system may shorten it).
constexpr UINT kBalloonMs = 10000;

// The first line whole, when it fits, and as much of the second as the tooltip still
// holds, cut with "...".
std::string TwoLineTip(const std::string& first, const std::string& second) {
  if (second.empty()) return first;
  std::string tip = first + "\n" + second;
  if (tip.size() > kTrayTipLimit) tip = tip.substr(0, kTrayTipLimit - 3) + "...";
  return tip;
}

}  // namespace

TTraySide::TTraySide(TForm& form, TImageList* images, TProfileListView& list,
                     IAdapterSource& adapters, const TAdapterReading& start, TActions actions)
    : form_(form),
      list_(list),
      adapters_(adapters),
      startWithWindows_(startupValue_, TWin32SystemPaths().ExecutablePath(), SameWindowsPath) {
  TTrayMenu::TCommands commands;
  commands.Configure = [this](TObject*) { Configure(); };
  commands.Exit = [this](TObject*) { Exit(); };
  commands.ToggleStartWithWindows = [this](TObject*) { ToggleStartWithWindows(); };
  commands.StartsWithWindows = [this] { return startWithWindows_.Enabled(); };
  commands.Apply = std::move(actions.Apply);
  commands.Active = [this] { return RefreshActive(); };
  menu_ = std::make_unique<TTrayMenu>(&form, images, list, std::move(commands));

  icon_ = new TTrayIcon(&form);
  icon_->SetName("trayIcon");
  icon_->Icon().LoadFromResource(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TRAY),
                                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
  icon_->SetCycleInterval(0);
  icon_->SetPopupMenu(&menu_->Menu());
  icon_->SetWantEnterExitEvents(true);
  icon_->SetMinimizeToTray(true);
  icon_->OnDblClick = [this](TObject*) { Configure(); };
  RefreshActive(start);
  // In the notification area from now to the end; the end of building applies it again.
  icon_->SetIconVisible(true);

  sessionEnd_ = std::make_unique<TSessionEndSaver>(std::move(actions.Save));
}

TTraySide::~TTraySide() {
  sessionEnd_.reset();
  delete icon_;
}

void TTraySide::Configure() {
  if (Application && Application->IsMinimized()) Application->Restore();
}

void TTraySide::Exit() {
  try {
    form_.Close();
  } catch (const std::exception& error) {
    // The store could not be written: the program stays, as after a failed closing.
    if (Application) Application->ShowException(error);
  }
}

void TTraySide::ToggleStartWithWindows() {
  try {
    startWithWindows_.Toggle();
  } catch (const std::exception& error) {
    if (Application) Application->ShowException(error);
  }
}

void TTraySide::ShowReport(const TApplyReport& report) {
  lastReport_ = report.Text;
  RefreshHint();
  icon_->ShowBalloon(report.Title, report.Text,
                     kOutcomeBalloon[static_cast<std::size_t>(report.Outcome)], kBalloonMs);
}

void TTraySide::RefreshHint() {
  icon_->SetHint(TwoLineTip(activeLine_, lastReport_));
}

void TTraySide::Forget(const TListEntry& entry) {
  menu_->Forget(entry);
}

void TTraySide::Notice(UINT message, WPARAM wParam) {
  sessionEnd_->Notice(message, wParam);
}

std::vector<std::size_t> TTraySide::RefreshActive() {
  return RefreshActive(adapters_.Read());
}

std::vector<std::size_t> TTraySide::RefreshActive(const TAdapterReading& reading) {
  std::vector<TNamedProfile> profiles;
  const int count = list_.Count();
  profiles.reserve(static_cast<std::size_t>(std::max(count, 0)));
  for (int index = 0; index < count; ++index) {
    const TListEntry* entry = list_.EntryAt(index);
    profiles.push_back({entry->Caption, NormalisedCopy(entry->Profile)});
  }
  std::vector<std::size_t> active = ActiveProfiles(profiles, reading);
  SetActiveLine(TrayTipText(kTipTitle, profiles, active));
  return active;
}

void TTraySide::SetActiveLine(const std::string& text) {
  activeLine_ = text;
  RefreshHint();
}
