#include "TrayArithmetic.h"

TTrayTip TrayTipText(std::string_view hint, bool showHint) {
  TTrayTip tip{};
  if (hint.empty() || !showHint) return tip;
  const std::string_view kept = hint.substr(0, TrayTipSize - 1);
  kept.copy(tip.data(), kept.size());
  tip[TrayTipSize - 1] = '\0';
  return tip;
}

std::int32_t ClampedIconIndex(std::int32_t value, std::int32_t count) {
  return value >= count ? count - 1 : value;
}

std::int32_t NextCycleIndex(std::int32_t index, std::int32_t count) {
  return index < count - 1 ? index + 1 : 0;
}

bool ReportsTaskbarRestart(std::uint32_t major, std::uint32_t minor) {
  const std::uint32_t version = (major << 16) | (minor & 0xFFFFu);
  return version >= 0x40047u;
}
