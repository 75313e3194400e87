#pragma once

#include <cstdint>

// Values shared by the tray icon's platform-free logic and its Win32 side.

// Which shell notification style an icon asks for; decides which callbacks report the
// right-button release.
enum TTrayNotifyMode : std::uint8_t { nmClassic = 0, nmShell5 = 1 };

// The picture beside a balloon's title.
enum TBalloonFlags : std::uint8_t { bfNone, bfInfo, bfWarning, bfError };

enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

// A set of modifier keys and mouse buttons, one bit each.
using TShiftState = unsigned;
enum TShiftFlag : unsigned {
  ssShift = 1u << 0,
  ssAlt = 1u << 1,
  ssCtrl = 1u << 2,
  ssLeft = 1u << 3,
  ssRight = 1u << 4,
  ssMiddle = 1u << 5,
};

// A point in screen coordinates.
struct TScreenPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  friend bool operator==(const TScreenPoint&, const TScreenPoint&) = default;
};

// The notifications the shell puts into a tray callback's lParam (the Win32 values).
namespace TrayNotification {
constexpr unsigned ContextMenu = 0x007B;
constexpr unsigned MouseMove = 0x0200;
constexpr unsigned LeftDown = 0x0201;
constexpr unsigned LeftUp = 0x0202;
constexpr unsigned LeftDoubleClick = 0x0203;
constexpr unsigned RightDown = 0x0204;
constexpr unsigned RightUp = 0x0205;
constexpr unsigned RightDoubleClick = 0x0206;
constexpr unsigned MiddleDown = 0x0207;
constexpr unsigned MiddleUp = 0x0208;
constexpr unsigned MiddleDoubleClick = 0x0209;
constexpr unsigned Select = 0x0400;
constexpr unsigned KeySelect = 0x0401;
constexpr unsigned BalloonShow = 0x0402;
constexpr unsigned BalloonHide = 0x0403;
constexpr unsigned BalloonTimeout = 0x0404;
constexpr unsigned BalloonUserClick = 0x0405;
}  // namespace TrayNotification
