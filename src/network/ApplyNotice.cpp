#include "ApplyNotice.h"

#include <utility>

namespace {

constexpr char kAutomaticPrefix[] = "Switched automatically: ";
// The ellipsis as one character of the ANSI code page (windows-1252), which the status bar
// and the notification area show: the program's texts go through the "A" functions.
constexpr char kEllipsis[] = "\x85";

}  // namespace

TApplyReport ReportFor(TApplyReason reason, TApplyReport report) {
  if (reason == TApplyReason::Automatic) report.Text = kAutomaticPrefix + report.Text;
  return report;
}

std::string ApplyingText(const std::string& caption, const std::string& adapter) {
  return "Applying " + caption + " on " + adapter + kEllipsis;
}
