#include "TraySide.h"

#include "ListStore.h"

#include <algorithm>
#include <exception>
#include <iterator>
#include <utility>

#include "ActiveProfiles.h"
#include "AdapterSource.h"
#include "Application.h"
#include "ApplyRun.h"
#include "Form.h"
#include "OfferText.h"
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
      apply_(std::move(actions.Apply)),
      startWithWindows_(startupValue_, TWin32SystemPaths().ExecutablePath(), SameWindowsPath) {
  for (auto [picture, id] :
       {std::pair{&idlePicture_, IDI_TRAY}, std::pair{&busyPicture_, IDI_TRAY_BUSY}}) {
    picture->LoadFromResource(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                              GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
  }
  TTrayMenu::TCommands commands;
  commands.Configure = [this](TObject*) { Configure(); };
  commands.Exit = [this](TObject*) { Exit(); };
  commands.ToggleStartWithWindows = [this](TObject*) { ToggleStartWithWindows(); };
  commands.StartsWithWindows = [this] { return startWithWindows_.Enabled(); };
  commands.Apply = apply_;
  commands.Active = [this] { return RefreshActive(); };
  menu_ = std::make_unique<TTrayMenu>(&form, images, list, std::move(commands));

  icon_ = new TTrayIcon(&form);
  icon_->SetName("trayIcon");
  icon_->SetIcon(idlePicture_);
  icon_->SetCycleInterval(0);
  icon_->SetPopupMenu(&menu_->Menu());
  icon_->SetWantEnterExitEvents(true);
  icon_->SetMinimizeToTray(true);
  icon_->OnDblClick = [this](TObject*) { Configure(); };
  icon_->OnBalloonHintClick = [this](TObject*) { TakeUpOffer(); };
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
  offered_.clear();
  icon_->ShowBalloon(report.Title, report.Text,
                     kOutcomeBalloon[static_cast<std::size_t>(report.Outcome)], kBalloonMs);
}

void TTraySide::ShowApplying(const std::string& text) {
  if (text == applying_) return;
  const bool wasBusy = !applying_.empty();
  applying_ = text;
  if (wasBusy != !applying_.empty())
    icon_->SetIcon(applying_.empty() ? idlePicture_ : busyPicture_);
  RefreshHint();
}

void TTraySide::RefreshHint() {
  icon_->SetHint(TwoLineTip(activeLine_, applying_.empty() ? lastReport_ : applying_));
}

void TTraySide::Offer(const std::string& adapterName, const std::vector<std::string>& captions) {
  if (captions.empty()) return;
  const TOfferText offer = OfferText(adapterName, captions);
  icon_->ShowBalloon(offer.Title, offer.Text, bfInfo, kBalloonMs);
  offered_ = captions;
}

// The shell reports a click on the balloon shown last: an offer's, unless a report's
// balloon came after it. One click takes up the offer once.
void TTraySide::TakeUpOffer() {
  const std::vector<std::string> offered = std::exchange(offered_, {});
  if (offered.size() > 1) {
    icon_->ShowTrayMenu();
  } else if (offered.size() == 1) {
    if (const TListEntry* entry = list_.EntryCaptioned(offered.front()); entry && apply_) {
      apply_(*entry);
    }
  }
}

void TTraySide::SetRecognised(std::vector<std::string> captions) {
  menu_->SetRecognised(std::move(captions));
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
  const std::vector<TNamedProfile> profiles = NamedProfiles(list_);
  std::vector<std::size_t> active = ActiveProfiles(profiles, reading);
  ShowActive(profiles, active);
  return active;
}

void TTraySide::ShowActive(const std::vector<TNamedProfile>& profiles,
                           const std::vector<std::size_t>& active) {
  SetActiveLine(TrayTipText(kTipTitle, profiles, active));
}

void TTraySide::SetActiveLine(const std::string& text) {
  activeLine_ = text;
  RefreshHint();
}
