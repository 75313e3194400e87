// What shows between an apply's start and its report, end to end under Wine: the real main
// window with the program's own services, the stand-in in place of the system's netsh
// waiting for the test's word, and a profile made from the host's adapter as it is now (so
// that the apply is verified as soon as netsh has ended). Also an offer taken up by a
// click on its balloon, which the stand-in's record shows was applied.
#include <windows.h>

#include <commctrl.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "AdapterStatus.h"
#include "Application.h"
#include "CurrentSettings.h"
#include "HostAdapter.h"
#include "MainForm.h"
#include "MainWindowFixture.h"
#include "ProgramServices.h"
#include "ShellNotify.h"
#include "ShellRecorder.h"
#include "SiblingPath.h"
#include "SystemNetshReplaced.h"
#include "TestPump.h"
#include "TrayIcon.h"
#include "TrayMenu.h"
#include "TraySide.h"
#include "WaitingNetsh.h"
#include "res/Resources.h"

namespace {

constexpr char kEllipsis[] = "\x85";  // "…" in windows-1252

// The colour pixels of an icon, top row first.
std::vector<DWORD> Pixels(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return {};
  BITMAP bitmap{};
  GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = bitmap.bmWidth;
  format.bmiHeader.biHeight = -bitmap.bmHeight;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  std::vector<DWORD> pixels(static_cast<size_t>(bitmap.bmWidth) * bitmap.bmHeight);
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, info.hbmColor, 0, static_cast<UINT>(bitmap.bmHeight), pixels.data(), &format,
            DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return pixels;
}

// An icon resource of this program at the notification area's size.
std::vector<DWORD> ResourcePixels(int id) {
  HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                             IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), 0));
  std::vector<DWORD> pixels = Pixels(icon);
  DestroyIcon(icon);
  return pixels;
}

TNetInfo AsTheHostIs(const TAdapterState& host) {
  TNetInfo profile = CurrentSettings(host);
  profile.DHCP = false;
  return profile;
}

class TrayApplyEndToEnd : public SystemNetshReplaced {
 protected:
  void SetUp() override {
    SystemNetshReplaced::SetUp();
    ASSERT_TRUE(netsh_.Ready());
    DeleteFileA(record_.c_str());
    host_ = HostAdapter();
    ASSERT_FALSE(host_.Addresses.empty());
    std::ofstream(storePath_, std::ios::binary) << StoreSection("Host", AsTheHostIs(host_));
    application_ = std::make_unique<TApplication>();
    application_->Initialize(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
    application_->SetTitle("Ardenix");
    form_ = application_->CreateForm<TfrmMain>(services_.Core());
    form_->Show();
  }

  void TearDown() override {
    netsh_.LetGo();
    application_.reset();
    DeleteFileA(storePath_.c_str());
    DeleteFileA(ReplaceExtension(services_.Paths.ExecutablePath(), ".TMP").c_str());
    DeleteFileA(record_.c_str());
    SystemNetshReplaced::TearDown();
  }

  std::vector<NOTIFYICONDATAA> Balloons() const {
    std::vector<NOTIFYICONDATAA> balloons;
    for (const TShellRecorder::TCall& call : shell_.Calls)
      if (call.Record.uID == form_->Tray().Icon().ShellId() && (call.Record.uFlags & NIF_INFO))
        balloons.push_back(call.Record);
    return balloons;
  }
  bool AwaitBalloons(size_t count) {
    PumpMessages(30000, [&] { return Balloons().size() >= count; });
    return Balloons().size() >= count;
  }
  std::string StatusText() const {
    char text[512] = {};
    SendMessageA(form_->StatusBar(), SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
    return text;
  }
  // The tooltip as handed to the shell: its second line.
  std::string TipSecondLine() const {
    const std::string tip = form_->Tray().Icon().NotifyRecord().szTip;
    const size_t lineEnd = tip.find('\n');
    return lineEnd == std::string::npos ? std::string() : tip.substr(lineEnd + 1);
  }
  std::vector<DWORD> IconShown() const { return Pixels(form_->Tray().Icon().NotifyRecord().hIcon); }
  std::string Applying() const { return "Applying Host on " + host_.FriendlyName + kEllipsis; }
  std::string Verified() const {
    return "Host is active on " + host_.FriendlyName + ": " + SettingsDescription(host_);
  }

  TProgramServices services_{[] { return HWND{}; }};
  const std::string storePath_ = ReplaceExtension(services_.Paths.ExecutablePath(), ".INI");
  const std::string record_ = OwnFolder() + "\\apply-pending-e2e.record";
  TWaitingNetsh netsh_{"ardenix-apply-pending-" + std::to_string(GetCurrentProcessId()), record_};
  TShellRecorder shell_{true};
  TAdapterState host_;
  std::unique_ptr<TApplication> application_;
  TfrmMain* form_ = nullptr;
  const std::vector<DWORD> idle_ = ResourcePixels(IDI_TRAY);
  const std::vector<DWORD> busy_ = ResourcePixels(IDI_TRAY_BUSY);
};

struct TStartCase {
  const char* name;
  void (*start)(TfrmMain& form);
  const char* prefix;  // of the report
};

std::ostream& operator<<(std::ostream& os, const TStartCase& c) {
  return os << c.name;
}

const TStartCase kStarts[] = {
    {"Connect",
     [](TfrmMain& form) {
       form.List().Select(0);
       SendMessageA(form.Handle(), WM_COMMAND, TfrmMain::cmApply, 0);
     },
     ""},
    {"TrayMenu",
     [](TfrmMain& form) {
       form.Tray().Menu().Rebuild();
       form.Tray().Menu().Menu().Items(0).Click();
     },
     ""},
    {"Automatic",
     [](TfrmMain& form) {
       const TListEntry& entry = *form.List().EntryAt(0);
       form.Apply(entry.Caption, entry.Profile, TApplyReason::Automatic);
     },
     "Switched automatically: "},
};

class ApplyPendingEndToEnd : public TrayApplyEndToEnd,
                             public testing::WithParamInterface<TStartCase> {};

// While netsh waits, the status part, the tooltip's second line and the icon say the apply
// is pending; the report replaces all three once netsh has ended.
TEST_P(ApplyPendingEndToEnd, ThePendingApplyShowsUntilItsReportReplacesIt) {
  ASSERT_NE(idle_, busy_) << "the busy picture must differ from the usual one";
  ASSERT_EQ(IconShown(), idle_);
  GetParam().start(*form_);
  PumpMessages(500);  // the follower looks at netsh a few times meanwhile
  EXPECT_EQ(StatusText(), Applying());
  EXPECT_EQ(TipSecondLine(), Applying());
  EXPECT_EQ(IconShown(), busy_);
  EXPECT_TRUE(Balloons().empty());

  netsh_.LetGo();
  ASSERT_TRUE(AwaitBalloons(1)) << "no report within 30 s";
  const std::string report = GetParam().prefix + Verified();
  EXPECT_EQ(std::string(Balloons()[0].szInfo), report);
  EXPECT_EQ(StatusText(), report);
  const std::string tip = TipSecondLine();
  ASSERT_GT(tip.size(), 3u);
  EXPECT_EQ(report.rfind(tip.substr(0, tip.size() - 3), 0), 0u) << tip;  // maybe cut with "..."
  EXPECT_EQ(IconShown(), idle_);
  EXPECT_NE(GetFileAttributesA(record_.c_str()), INVALID_FILE_ATTRIBUTES) << "netsh ran";
}

INSTANTIATE_TEST_SUITE_P(Starts, ApplyPendingEndToEnd, testing::ValuesIn(kStarts),
                         [](const auto& param) { return std::string(param.param.name); });

// A second apply while one is pending is refused at once, and its balloon says so; what
// is pending stays on show until its own report.
TEST_F(TrayApplyEndToEnd, ARefusalWhileAnApplyIsPendingLeavesThePendingOneOnShow) {
  TTrayMenu& menu = form_->Tray().Menu();
  menu.Rebuild();
  menu.Menu().Items(0).Click();
  menu.Rebuild();
  menu.Menu().Items(0).Click();
  ASSERT_EQ(Balloons().size(), 1u);
  EXPECT_STREQ(Balloons()[0].szInfo, "Host: another apply is running; nothing was applied");
  EXPECT_EQ(StatusText(), Applying());
  EXPECT_EQ(TipSecondLine(), Applying());
  EXPECT_EQ(IconShown(), busy_);

  netsh_.LetGo();
  ASSERT_TRUE(AwaitBalloons(2));
  EXPECT_EQ(std::string(Balloons()[1].szInfo), Verified());
  EXPECT_EQ(StatusText(), Verified());
  EXPECT_EQ(IconShown(), idle_);
}

// The shell's notification of a click on the offer's balloon applies the profile: the
// stand-in netsh is given its script.
TEST_F(TrayApplyEndToEnd, AClickOnAnOffersBalloonAppliesTheProfile) {
  netsh_.LetGo();
  form_->Tray().Offer(host_.FriendlyName, {"Host"});
  ASSERT_EQ(Balloons().size(), 1u);
  EXPECT_EQ(std::string(Balloons()[0].szInfo),
            "Host's network is here (" + host_.FriendlyName + "). Click to switch.");
  const NOTIFYICONDATAA& record = form_->Tray().Icon().NotifyRecord();
  SendMessageA(record.hWnd, WM_TRAYICONCALLBACK, record.uID, NIN_BALLOONUSERCLICK);
  ASSERT_TRUE(AwaitBalloons(2));
  EXPECT_EQ(std::string(Balloons()[1].szInfo), Verified());
  std::ifstream file(record_, std::ios::binary);
  const std::string netshRecord{std::istreambuf_iterator<char>(file), {}};
  EXPECT_NE(netshRecord.find("name=\"" + host_.FriendlyName + "\""), std::string::npos)
      << netshRecord;
  EXPECT_NE(netshRecord.find("addr=" + host_.Addresses.front().Address), std::string::npos)
      << netshRecord;
}

}  // namespace
