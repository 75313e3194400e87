#include <iterator>
#include <string_view>

#include "ShellNotify.h"
#include "TrayIcon.h"

namespace {

// NIIF_* by TBalloonFlags, in the enumeration's order.
constexpr DWORD kBalloonIconFlags[] = {NIIF_NONE, NIIF_INFO, NIIF_WARNING, NIIF_ERROR};
static_assert(std::size(kBalloonIconFlags) == bfError + 1);

// Copies as much of the text as the buffer holds with its terminating zero.
template <std::size_t N>
void CopyCut(char (&buffer)[N], std::string_view text) {
  const std::size_t kept = text.copy(buffer, N - 1);
  buffer[kept] = '\0';
}

}  // namespace

bool TTrayIcon::ShowBalloon(const std::string& title, const std::string& text, TBalloonFlags flags,
                            UINT timeoutMs) {
  FillNotifyRecord();
  // A copy carries the balloon, so that the record every later update sends has none.
  NOTIFYICONDATAA record = NotifyRecord_;
  record.uFlags |= NIF_INFO;
  CopyCut(record.szInfoTitle, title);
  CopyCut(record.szInfo, text);
  record.uTimeout = timeoutMs;
  record.dwInfoFlags = kBalloonIconFlags[flags];
  return ShellNotifyIcon(NIM_MODIFY, &record) != FALSE;
}
