#include "MainWindowFixture.h"

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "AddressEdit.h"
#include "SiblingPath.h"

namespace {

void RemovePath(const std::string& path) {
  std::error_code ignored;
  std::filesystem::remove_all(path, ignored);
}

}  // namespace

std::string StoreSection(const std::string& caption, const TNetInfo& profile) {
  return "[" + caption + "]\r\nLAN=" + profile.LAN + "\r\nDHCP=" + (profile.DHCP ? "1" : "0") +
         "\r\nIP=" + profile.IP + "\r\nSN=" + profile.SN + "\r\nDG=" + profile.DG +
         "\r\nDNS=" + profile.DNS + "\r\nADNS=" + profile.ADNS + "\r\nWINS=" + profile.WINS +
         "\r\n";
}

TNetInfo AsLoaded(const TNetInfo& profile) {
  auto trim = [](std::string text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
  };
  return TNetInfo{trim(profile.LAN), profile.DHCP,      trim(profile.IP),   trim(profile.SN),
                  trim(profile.DG),  trim(profile.DNS), trim(profile.ADNS), trim(profile.WINS)};
}

MainWindowTest::MainWindowTest() {
  storePath_ = ReplaceExtension(paths_.ExecutablePath(), ".INI");
  scriptPath_ = ReplaceExtension(paths_.ExecutablePath(), ".TMP");
  RemovePath(storePath_);
  RemovePath(scriptPath_);
}

MainWindowTest::~MainWindowTest() {
  application_.reset();
  RemovePath(storePath_);
  RemovePath(scriptPath_);
}

TfrmMain& MainWindowTest::Start() {
  application_ = std::make_unique<TApplication>();
  application_->Initialize(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
  application_->SetTitle("Ardenix");
  application_->SetMessageBoxFunction(
      [this](HWND, const std::string& text, const std::string&, UINT flags) {
        if ((flags & MB_ICONMASK) == MB_ICONWARNING) {
          questions_.push_back(text);
          return answer_;
        }
        errors_.push_back(text);
        return IDOK;
      });
  main_ = application_->CreateForm<TfrmMain>(TCoreServices{paths_, storeFiles_, actions_, adapters_});
  about_ = application_->CreateForm<TfrmAbout>();
  main_->SetCreditsDialog(about_);
  main_->Show();
  Pump();
  return *main_;
}

void MainWindowTest::WriteStore(const std::string& text) {
  std::ofstream(storePath_, std::ios::binary | std::ios::trunc) << text;
}

std::optional<std::string> MainWindowTest::ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(file), {});
}

void MainWindowTest::Pump() {
  application_->ProcessMessages();
}

bool MainWindowTest::PumpUntil(const std::function<bool()>& done, DWORD ms) {
  const ULONGLONG end = GetTickCount64() + ms;
  while (!done()) {
    if (GetTickCount64() >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    Pump();
  }
  return true;
}

void MainWindowTest::AddAdapter(const std::string& name) {
  TAdapterState adapter;
  adapter.FriendlyName = name;
  adapter.Up = true;
  adapters_.Reading.Adapters.push_back(adapter);
}

void MainWindowTest::Select(int index) {
  HWND list = main_->ListViewHandle();
  RECT icon{};
  icon.left = LVIR_ICON;
  ASSERT_TRUE(SendMessageA(list, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&icon)));
  Click(list, (icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2);
}

void MainWindowTest::Click(HWND window, int x, int y) {
  // The list follows the button until it is released: the release waits in the queue.
  PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  Pump();
}

void MainWindowTest::Press(int command) {
  SendMessageA(main_->Handle(), WM_COMMAND, MAKEWPARAM(command, BN_CLICKED),
               reinterpret_cast<LPARAM>(main_->ToolBar1()));
  Pump();
}

void MainWindowTest::CloseWindow() {
  SendMessageA(main_->Handle(), WM_CLOSE, 0, 0);
  Pump();
}

std::vector<std::string> MainWindowTest::Captions() {
  std::vector<std::string> captions;
  HWND list = main_->ListViewHandle();
  const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int index = 0; index < count; ++index) {
    char text[256] = {};
    LVITEMA item{};
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
    captions.emplace_back(text);
  }
  return captions;
}

std::string MainWindowTest::Lan() {
  char text[256] = {};
  GetWindowTextA(main_->Editor().EdLAN(), text, sizeof text);
  return text;
}

bool MainWindowTest::DhcpChecked() {
  return SendMessageA(main_->Editor().EdDHCP(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string MainWindowTest::Field(std::string TNetInfo::*field) {
  return main_->Editor().AddressEdit(field).Text();
}

void MainWindowTest::SetField(std::string TNetInfo::*field, const std::string& text) {
  main_->Editor().AddressEdit(field).SetText(text);
}

bool MainWindowTest::FieldEnabled(std::string TNetInfo::*field) {
  return IsWindowEnabled(main_->Editor().AddressField(field)) != FALSE;
}
