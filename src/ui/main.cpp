// Program entry: the application object, the main window (which loads the store beside
// the executable), the credits dialog (hidden), then the message loop until the
// application ends.
#include <windows.h>

#include <exception>
#include <string>

#include "AboutForm.h"
#include "Application.h"
#include "CommandLineRun.h"
#include "CommandLineStart.h"
#include "MainForm.h"
#include "ProgramServices.h"
#include "ProfileStore.h"
#include "SiblingPath.h"
#include "StoreInstance.h"
#include "SystemLibrary.h"

namespace {

// The exit code of a start for a store held by a program that does not answer.
constexpr int kStoreHeldExitCode = 2;

HWND MainWindowOrNone() {
  TForm* form = Application ? Application->MainForm() : nullptr;
  return form ? form->Handle() : nullptr;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  RestrictLibrarySearchToSystemFolder();
  const TCommand command = ParseCommandLine(GetCommandLineA());
  if (auto exitCode = AnswerCommandLineFaults(command)) return *exitCode;
  TStoreInstance storeInstance;  // outlives the application, whose window it serves
  try {
    TProgramServices services(MainWindowOrNone);
    // A start without arguments for a store that a running program holds hands over to it;
    // one that does not answer is named, and this start ends as a failure. A start in the
    // notification area leaves a running program as it is and ends.
    const bool inTray = command.Kind == TCommandKind::Tray;
    if (StartsWindowProgram(command.Kind)) {
      const std::string store = StorePathBeside(services.Paths);
      switch (storeInstance.Claim(store, inTray ? TWhenHeld::LeaveAlone : TWhenHeld::BringBack)) {
        case TStoreClaim::Claimed:
          break;
        case TStoreClaim::HandedOver:
        case TStoreClaim::LeftAlone:
          return 0;
        case TStoreClaim::Unanswered:
          MessageBoxA(nullptr, StoreHeldText(store).c_str(), "Ardenix", MB_ICONERROR | MB_OK);
          return kStoreHeldExitCode;
      }
    }
    // /apply and /list work without a window or an icon.
    if (auto exitCode = RunCommandLine(command, services.Core())) return *exitCode;

    TApplication application;
    // /tray starts as a start minimised does: hidden in the notification area.
    application.Initialize(instance, inTray ? SW_SHOWMINNOACTIVE : showCommand);
    application.SetTitle("Ardenix");
    auto* frmMain = application.CreateForm<TfrmMain>(services.Core());
    auto* frmAbout = application.CreateForm<TfrmAbout>();
    frmMain->SetCreditsDialog(frmAbout);
    storeInstance.Serve(application);
    application.Run();
    return 0;
  } catch (const std::exception& error) {
    MessageBoxA(nullptr, error.what(), "Ardenix", MB_ICONERROR | MB_OK);
    return 1;
  }
}
