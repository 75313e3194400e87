// Saves the store over and over, the two lists of CrashTestProfiles in turn, until it is
// killed. Usage: store_crash_child STORE_PATH READY_EVENT_NAME
#include <windows.h>

#include "CrashTestProfiles.h"
#include "ProfileStore.h"
#include "Win32KernelHandle.h"
#include "Win32StoreFiles.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const std::string store = argv[1];
  const TProfileList lists[2] = {CrashTestProfiles(0), CrashTestProfiles(1)};
  TWin32StoreFiles files;
  TKernelHandle ready(OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]));
  if (!ready || !SetEvent(ready.Get())) return 3;
  try {
    for (unsigned i = 1;; ++i) SaveProfileStore(lists[i % 2], store, files);
  } catch (const TStoreError&) {
    return 4;
  }
}
