#include "NetshScript.h"

#include <utility>

namespace {

// The connection name as netsh expects it after "name=" (or "name = "): in double
// quotes, inserted as it stands.
std::string Quoted(const std::string& name) {
  return "\"" + name + "\"";
}

void AddDhcpLines(const TNetInfo& p, std::vector<std::string>& lines) {
  const std::string name = Quoted(p.LAN);
  lines.push_back("set address name=" + name + " source=dhcp");
  lines.push_back("set dns name=" + name + " source=dhcp");
  lines.push_back("set wins name=" + name + " source=dhcp");
}

void AddStaticLines(const TNetInfo& p, std::vector<std::string>& lines) {
  const std::string name = Quoted(p.LAN);
  lines.push_back("set address name=" + name + " source=static addr=" + p.IP + " mask=" + p.SN);
  lines.push_back("set address name=" + name + " gateway=" + p.DG + " gwmetric=0");
  lines.push_back("set dns name=" + name + " source=static addr=" + p.DNS);
  if (p.ADNS != kNoAddress) lines.push_back("add dns name = " + name + " addr = " + p.ADNS);
  lines.push_back("set wins name=" + name + " source=static addr=" + p.WINS);
}

}  // namespace

std::vector<std::string> NetshContextCommands(const TNetInfo& profile) {
  std::vector<std::string> lines;
  if (profile.DHCP) {
    AddDhcpLines(profile, lines);
  } else {
    AddStaticLines(profile, lines);
  }
  return lines;
}

std::vector<std::string> NetshScriptLines(const TNetInfo& profile) {
  std::vector<std::string> lines{"pushd " + std::string(kNetshContext)};
  for (std::string& command : NetshContextCommands(profile)) lines.push_back(std::move(command));
  lines.push_back("popd");
  return lines;
}

std::string NetshScriptText(const TNetInfo& profile) {
  std::string text;
  for (const std::string& line : NetshScriptLines(profile)) {
    text += line;
    text += "\r\n";
  }
  return text;
}
