#include "Win32StartupValue.h"

#include <windows.h>

#include <stdexcept>

#include "Handle.h"
#include "SystemErrorText.h"

namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

[[noreturn]] void Fail(const char* what, LSTATUS status) {
  throw std::runtime_error(std::string(what) + ": " +
                           SystemErrorText(static_cast<DWORD>(status)));
}

std::wstring Wide(const std::string& text) {
  const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0);
  std::wstring wide(static_cast<size_t>(size > 0 ? size : 0), L'\0');
  if (size > 0)
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

}  // namespace

std::optional<std::string> TWin32StartupValue::Read() {
  // The value can change between the call that gives its size and the one that reads it.
  for (int attempt = 0; attempt < 3; ++attempt) {
    DWORD size = 0;
    LSTATUS status = RegGetValueA(HKEY_CURRENT_USER, kRunKey, valueName_.c_str(), RRF_RT_REG_SZ,
                                  nullptr, nullptr, &size);
    if (status != ERROR_SUCCESS) return std::nullopt;  // none, or not text
    std::string text(size, '\0');
    status = RegGetValueA(HKEY_CURRENT_USER, kRunKey, valueName_.c_str(), RRF_RT_REG_SZ, nullptr,
                          text.data(), &size);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS) return std::nullopt;
    text.resize(size);
    while (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
  }
  return std::nullopt;
}

void TWin32StartupValue::Write(const std::string& command) {
  HKEY opened = nullptr;
  LSTATUS status = RegCreateKeyExA(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE,
                                   nullptr, &opened, nullptr);
  if (status != ERROR_SUCCESS) Fail("Start with Windows could not be set", status);
  RegistryKeyHandle key(opened);
  status = RegSetValueExA(key.Get(), valueName_.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(command.c_str()),
                          static_cast<DWORD>(command.size() + 1));
  if (status != ERROR_SUCCESS) Fail("Start with Windows could not be set", status);
}

void TWin32StartupValue::Remove() {
  HKEY opened = nullptr;
  LSTATUS status = RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &opened);
  if (status == ERROR_FILE_NOT_FOUND) return;
  if (status != ERROR_SUCCESS) Fail("Start with Windows could not be turned off", status);
  RegistryKeyHandle key(opened);
  status = RegDeleteValueA(key.Get(), valueName_.c_str());
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
    Fail("Start with Windows could not be turned off", status);
}

bool SameWindowsPath(const std::string& a, const std::string& b) {
  const std::wstring wideA = Wide(a), wideB = Wide(b);
  return CompareStringOrdinal(wideA.data(), static_cast<int>(wideA.size()), wideB.data(),
                              static_cast<int>(wideB.size()), TRUE) == CSTR_EQUAL;
}
