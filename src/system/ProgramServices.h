#pragma once

#include <windows.h>

#include <functional>

#include "CoreServices.h"
#include "ProfileActions.h"
#include "Win32AdapterSource.h"
#include "Win32ConsoleCodePage.h"
#include "Win32FileSystem.h"
#include "Win32ProgramStarter.h"
#include "Win32SaveNameAsker.h"
#include "Win32StoreFiles.h"
#include "Win32SystemPaths.h"

// The program's services on Windows, made in the order they depend on each other, for the
// main window and the command line alike. They outlive the application object and so
// every form. `owner` names the window that netsh's start and the save dialog belong to
// (none while there is no window).
class TProgramServices {
 public:
  explicit TProgramServices(const std::function<HWND()>& owner)
      : Starter(owner), Asker(owner), Actions(Files, Paths, Starter, Asker, Console) {}
  TProgramServices(const TProgramServices&) = delete;
  TProgramServices& operator=(const TProgramServices&) = delete;

  TCoreServices Core() { return {Paths, StoreFiles, Actions, Adapters}; }

  TWin32SystemPaths Paths;
  TWin32FileSystem Files;
  TWin32StoreFiles StoreFiles;
  TWin32ProgramStarter Starter;
  TWin32SaveNameAsker Asker;
  TWin32ConsoleCodePage Console;
  TProfileActions Actions;
  TWin32AdapterSource Adapters;
};
