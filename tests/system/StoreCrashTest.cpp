// A process that is killed while it saves leaves the store old or new, whole.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>

#include "CrashTestProfiles.h"
#include "ProfileStore.h"
#include "StoreScratchFolder.h"
#include "Win32KernelHandle.h"
#include "Win32StoreFiles.h"

namespace {

constexpr int kKills = 80;
// Several saves long, so that kills fall into every step of the first save and the next.
constexpr int kLongestWaitMs = 150;

std::string ChildProgram() {
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string program = path;
  return program.substr(0, program.find_last_of('\\') + 1) + "store_crash_child.exe";
}

std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  quoted.append(text).push_back('"');
  return quoted;
}

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class StoreCrash : public StoreScratchFolder {};

TEST_F(StoreCrash, AKilledSaveLeavesTheOldOrTheNewStoreWhole) {
  const std::string store = Path("Ardenix.INI");
  const std::string oldBytes = IniFromProfiles(CrashTestProfiles(0));
  const std::string newBytes = IniFromProfiles(CrashTestProfiles(1));
  TWin32StoreFiles files;
  const unsigned seed = std::random_device()();
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> waitMs(0, kLongestWaitMs);
  int sawNew = 0;
  int leftTemporary = 0;
  for (int kill = 0; kill < kKills; ++kill) {
    SaveProfileStore(CrashTestProfiles(0), store, files);
    const std::string event =
        "ArdenixStoreCrash-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(kill);
    TKernelHandle ready(CreateEventA(nullptr, TRUE, FALSE, event.c_str()));
    ASSERT_TRUE(ready);
    std::string commandLine = Quoted(ChildProgram()) + " " + Quoted(store) + " " + event;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    // Beside other heavy work Wine may refuse a start for a moment: a few tries.
    bool started = false;
    DWORD startError = 0;
    for (int attempt = 0; attempt < 5 && !started; ++attempt) {
      started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &child) != FALSE;
      if (!started) {
        startError = GetLastError();
        Sleep(500);
      }
    }
    ASSERT_TRUE(started) << commandLine << " (error " << startError << ")";
    TKernelHandle process(child.hProcess);
    TKernelHandle thread(child.hThread);
    ASSERT_EQ(WaitForSingleObject(ready.Get(), 30000), WAIT_OBJECT_0);
    Sleep(static_cast<DWORD>(waitMs(random)));
    DWORD exitCode = 0;
    ASSERT_TRUE(GetExitCodeProcess(process.Get(), &exitCode));
    ASSERT_EQ(exitCode, static_cast<DWORD>(STILL_ACTIVE)) << "the child stopped by itself";
    ASSERT_TRUE(TerminateProcess(process.Get(), 99));
    ASSERT_EQ(WaitForSingleObject(process.Get(), 30000), WAIT_OBJECT_0);

    const std::string left = Bytes(store);
    ASSERT_TRUE(left == oldBytes || left == newBytes)
        << "kill " << kill << " (seed " << seed << ") left " << left.size() << " bytes";
    if (left == newBytes) ++sawNew;
    if (GetFileAttributesA(TemporaryStorePath(store).c_str()) != INVALID_FILE_ATTRIBUTES) {
      ++leftTemporary;
    }
  }
  std::printf("%d kills (seed %u): %d left the new store, %d a temporary file\n", kKills, seed,
              sawNew, leftTemporary);

  // A temporary file left by a kill is no obstacle to the next save, which removes it.
  SaveProfileStore(CrashTestProfiles(1), store, files);
  EXPECT_EQ(Bytes(store), newBytes);
  EXPECT_EQ(GetFileAttributesA(TemporaryStorePath(store).c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
