#pragma once

#include "AdapterSource.h"
#include "ProfileActions.h"
#include "StoreFiles.h"
#include "SystemPaths.h"

// What the window and the command line both work with: the program's paths, the store's
// files, apply and export, and the computer's adapters. Borrowed, never owned: the
// program's services (or a test's doubles) outlive every user of this bundle.
struct TCoreServices {
  ISystemPaths& Paths;
  IStoreFiles& StoreFiles;
  TProfileActions& Actions;
  IAdapterSource& Adapters;
};
