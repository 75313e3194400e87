// Libraries of the system folder, loaded when a function is first asked for.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "SystemLibrary.h"

namespace {

TEST(SystemLibrary, LoadsOnTheFirstFunctionAskedForAndFindsIt) {
  TSystemLibrary library("comdlg32.dll");
  EXPECT_FALSE(library.Loaded());
  using TExtendedError = DWORD(WINAPI*)();
  EXPECT_NE(library.Function<TExtendedError>("CommDlgExtendedError"), nullptr);
  EXPECT_TRUE(library.Loaded());
  TSystemLibrary moved(std::move(library));
  EXPECT_TRUE(moved.Loaded());
  EXPECT_NE(moved.Function<TExtendedError>("CommDlgExtendedError"), nullptr);
}

// A library the system folder does not hold, or a function the library lacks.
TEST(SystemLibrary, AMissingLibraryOrFunctionIsAnError) {
  TSystemLibrary missing("ardenix-no-such-library.dll");
  EXPECT_THROW(missing.Function<FARPROC>("Anything"), std::runtime_error);
  EXPECT_FALSE(missing.Loaded());
  TSystemLibrary dialogs("comdlg32.dll");
  EXPECT_THROW(dialogs.Function<FARPROC>("NoSuchFunction"), std::runtime_error);
}

// A library planted beside the program under a name that the system folder lacks: a load
// by bare name finds it, ours does not.
TEST(SystemLibrary, ALibraryBesideTheProgramIsNeverLoaded) {
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, MAX_PATH);
  char program[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  std::string planted = program;
  planted.erase(planted.find_last_of('\\') + 1);
  planted += "ardenix-planted.dll";
  ASSERT_TRUE(CopyFileA((std::string(system) + "\\comdlg32.dll").c_str(), planted.c_str(), FALSE));

  HMODULE byBareName = LoadLibraryA("ardenix-planted.dll");
  EXPECT_NE(byBareName, nullptr) << "the plant is where a bare name looks";
  if (byBareName) FreeLibrary(byBareName);
  TSystemLibrary library("ardenix-planted.dll");
  EXPECT_THROW(library.Function<FARPROC>("CommDlgExtendedError"), std::runtime_error);
  DeleteFileA(planted.c_str());
}

}  // namespace
