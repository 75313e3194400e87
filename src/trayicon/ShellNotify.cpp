#include "ShellNotify.h"

TShellNotifyFunction ShellNotifyIcon = [](DWORD message, NOTIFYICONDATAA* data) {
  return Shell_NotifyIconA(message, data);
};
