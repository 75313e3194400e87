// The window's apply end to end under Wine: the real main window with the program's own
// services (files, shell start, the adapters as the system reads them), the stand-in in
// place of the system's netsh, and profiles made from the host's adapter as it is now.
// The tray menu applies; the balloon handed to the shell must say what became of it.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "AdapterStatus.h"
#include "Application.h"
#include "CurrentSettings.h"
#include "HostAdapter.h"
#include "MainForm.h"
#include "ProgramServices.h"
#include "ShellRecorder.h"
#include "SiblingPath.h"
#include "SystemNetshReplaced.h"
#include "TestPump.h"
#include "TrayIcon.h"
#include "TrayMenu.h"
#include "TraySide.h"

namespace {

std::string Section(const std::string& caption, const TNetInfo& p) {
  return "[" + caption + "]\r\nLAN=" + p.LAN + "\r\nDHCP=0\r\nIP=" + p.IP + "\r\nSN=" + p.SN +
         "\r\nDG=" + p.DG + "\r\nDNS=" + p.DNS + "\r\nADNS=" + p.ADNS + "\r\nWINS=" + p.WINS +
         "\r\n";
}

struct TWindowCase {
  const char* name;
  const char* netshExitCode;
  // The profile, made from the host's current settings, and the balloon expected.
  TNetInfo (*profile)(const TAdapterState& host);
  std::string (*text)(const TAdapterState& host);
  DWORD picture;
  bool netshRuns = true;  // false: the apply is refused before the script is written
};

std::ostream& operator<<(std::ostream& os, const TWindowCase& c) {
  return os << c.name;
}

TNetInfo AsTheHostIs(const TAdapterState& host) {
  TNetInfo profile = CurrentSettings(host);
  profile.DHCP = false;
  return profile;
}

// The host's address with another last part.
std::string OtherAddress(const TAdapterState& host) {
  const std::string& address = host.Addresses.front().Address;
  const int last = std::stoi(address.substr(address.rfind('.') + 1));
  return address.substr(0, address.rfind('.') + 1) + std::to_string(last % 250 + 3);
}

TNetInfo AnotherAddress(const TAdapterState& host) {
  TNetInfo profile = AsTheHostIs(host);
  profile.IP = MaskedAddressText(OtherAddress(host));
  return profile;
}

TNetInfo NoSuchAdapter(const TAdapterState& host) {
  TNetInfo profile = AsTheHostIs(host);
  profile.LAN = "Local Area Connection";
  return profile;
}

std::string PartText(const TAdapterState& host) {
  const TAdapterAddress& has = host.Addresses.front();
  return "Host is only partly active on " + host.FriendlyName + ": address is " +
         AddressWithPrefix(has) + ", not " + OtherAddress(host) + "/" +
         std::to_string(has.PrefixLength);
}

const TWindowCase kCases[] = {
    {"Verified", "0", AsTheHostIs,
     [](const TAdapterState& host) {
       return "Host is active on " + host.FriendlyName + ": " + SettingsDescription(host);
     },
     NIIF_INFO},
    {"AnotherAddress", "0", AnotherAddress, PartText, NIIF_WARNING},
    {"NetshFailed", "1", AnotherAddress,
     [](const TAdapterState& host) { return PartText(host) + " (netsh ended with exit code 1)"; },
     NIIF_WARNING},
    {"NoSuchAdapter", "0", NoSuchAdapter,
     [](const TAdapterState&) {
       return std::string(
           "No adapter named \"Local Area Connection\" on this computer; nothing was changed");
     },
     NIIF_ERROR, false},
};

class ApplyWindowEndToEnd : public SystemNetshReplaced,
                            public testing::WithParamInterface<TWindowCase> {
 protected:
  void TearDown() override {
    application_.reset();
    DeleteFileA(storePath_.c_str());
    DeleteFileA(ReplaceExtension(services_.Paths.ExecutablePath(), ".TMP").c_str());
    SetEnvironmentVariableA("ARDENIX_NETSH_EXIT_CODE", nullptr);
    SystemNetshReplaced::TearDown();
  }

  TProgramServices services_{[] { return HWND{}; }};
  const std::string storePath_ = ReplaceExtension(services_.Paths.ExecutablePath(), ".INI");
  const std::string record_ = OwnFolder() + "\\apply-window-e2e.record";
  TShellRecorder shell_{true};
  std::unique_ptr<TApplication> application_;
};

TEST_P(ApplyWindowEndToEnd, TheBalloonSaysWhatBecameOfTheApply) {
  const TWindowCase& c = GetParam();
  const TAdapterState host = HostAdapter();
  ASSERT_FALSE(host.Addresses.empty());
  {
    const std::string store = Section("Host", c.profile(host));
    HANDLE file = CreateFileA(storePath_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, store.data(), static_cast<DWORD>(store.size()), &written, nullptr);
    CloseHandle(file);
  }
  // netsh inherits both.
  SetEnvironmentVariableA("ARDENIX_NETSH_RECORD", record_.c_str());
  SetEnvironmentVariableA("ARDENIX_NETSH_EXIT_CODE", c.netshExitCode);
  DeleteFileA(record_.c_str());

  application_ = std::make_unique<TApplication>();
  application_->Initialize(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
  application_->SetTitle("Ardenix");
  auto* form = application_->CreateForm<TfrmMain>(
      services_.Core());
  form->Show();
  TTrayMenu& menu = form->Tray().Menu();
  menu.Rebuild();
  menu.Menu().Items(0).Click();

  const UINT icon = form->Tray().Icon().ShellId();
  auto balloon = [&]() -> const NOTIFYICONDATAA* {
    for (const TShellRecorder::TCall& call : shell_.Calls)
      if (call.Record.uID == icon && (call.Record.uFlags & NIF_INFO)) return &call.Record;
    return nullptr;
  };
  PumpMessages(30000, [&] { return balloon() != nullptr; });
  const NOTIFYICONDATAA* shown = balloon();
  ASSERT_NE(shown, nullptr) << "no balloon within 30 s";
  EXPECT_STREQ(shown->szInfoTitle, "Host");
  EXPECT_EQ(std::string(shown->szInfo), c.text(host));
  EXPECT_EQ(shown->dwInfoFlags, c.picture);
  EXPECT_EQ(GetFileAttributesA(record_.c_str()) != INVALID_FILE_ATTRIBUTES, c.netshRuns)
      << (c.netshRuns ? "the stand-in netsh did not run" : "the stand-in netsh ran");
  EXPECT_EQ(GetFileAttributesA(
                ReplaceExtension(services_.Paths.ExecutablePath(), ".TMP").c_str()) !=
                INVALID_FILE_ATTRIBUTES,
            c.netshRuns)
      << "the script";
  DeleteFileA(record_.c_str());
}

INSTANTIATE_TEST_SUITE_P(Host, ApplyWindowEndToEnd, testing::ValuesIn(kCases),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
