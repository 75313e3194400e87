// Program entry: the application object, the main window (which loads the store beside
// the executable), the credits dialog (hidden), then the message loop until the
// application ends.
#include <windows.h>

#include <commctrl.h>

#include <exception>

#include "AboutForm.h"
#include "Application.h"
#include "CommandLineRun.h"
#include "CommandLineStart.h"
#include "MainForm.h"
#include "ProfileActions.h"
#include "SiblingPath.h"
#include "StoreInstance.h"
#include "Win32AdapterSource.h"
#include "Win32FileSystem.h"
#include "Win32ProgramStarter.h"
#include "Win32SaveNameAsker.h"
#include "Win32StoreFiles.h"
#include "Win32SystemPaths.h"

namespace {

HWND MainWindowOrNone() {
  TForm* form = Application ? Application->MainForm() : nullptr;
  return form ? form->Handle() : nullptr;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  const TCommand command = ParseCommandLine(GetCommandLineA());
  if (auto exitCode = AnswerCommandLineFaults(command)) return *exitCode;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  TStoreInstance storeInstance;  // outlives the application, whose window it serves
  try {
    // The services outlive the application object and so every form.
    TWin32SystemPaths paths;
    // A start without arguments for a store that a running program holds hands over to it.
    if (command.Kind == TCommandKind::Window &&
        !storeInstance.Claim(ReplaceExtension(paths.ExecutablePath(), ".INI"))) {
      return 0;
    }
    TWin32FileSystem files;
    TWin32StoreFiles storeFiles;
    TWin32ProgramStarter starter(MainWindowOrNone);
    TWin32SaveNameAsker asker(MainWindowOrNone);
    TProfileActions actions(files, paths, starter, asker);
    TWin32AdapterSource adapters;
    // /apply and /list work without a window or an icon.
    if (auto exitCode = RunCommandLine(command, {paths, storeFiles, actions, adapters}))
      return *exitCode;

    TApplication application;
    application.Initialize(instance, showCommand);
    application.SetTitle("Ardenix");
    auto* frmMain =
        application.CreateForm<TfrmMain>(TMainFormServices{paths, storeFiles, actions, adapters});
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
