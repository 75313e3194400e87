#pragma once

#include <windows.h>

#include <shellapi.h>

#include <cstddef>
#include <functional>

// The part of NOTIFYICONDATAA that tray icons hand to the shell: everything up to and
// including dwInfoFlags (488 bytes on 32-bit Windows, 504 on x64).
constexpr DWORD NotifyRecordSize =
    static_cast<DWORD>(offsetof(NOTIFYICONDATAA, dwInfoFlags) + sizeof(DWORD));
static_assert(NotifyRecordSize == (sizeof(void*) == 8 ? 504 : 488));

// The callback message the shell sends to the shared tray window.
constexpr UINT WM_TRAYICONCALLBACK = WM_USER + 1024;
static_assert(WM_TRAYICONCALLBACK == 0x800);

// Where tray icons send their records: Shell_NotifyIconA, unless a test has put an
// observer in between.
using TShellNotifyFunction = std::function<BOOL(DWORD message, NOTIFYICONDATAA* data)>;
extern TShellNotifyFunction ShellNotifyIcon;
