#include "ProfileCheck.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// A static profile that netsh may be given, as the normalised copy holds it.
TNetInfo Office() {
  return {"Ethernet", false, "10.0.0.5", "255.255.255.0", "10.0.0.1", "10.0.0.1", "none", "none"};
}

struct CheckCase {
  const char* name;
  TNetInfo profile;
  std::optional<std::string> problem;  // none: the profile may go to netsh
};

TNetInfo With(std::string TNetInfo::*member, std::string text, TNetInfo profile = Office()) {
  profile.*member = std::move(text);
  return profile;
}

TNetInfo Dhcp(TNetInfo profile) {
  profile.DHCP = true;
  return profile;
}

class ProfileCheck : public testing::TestWithParam<CheckCase> {};

TEST_P(ProfileCheck, NamesTheFirstMemberNetshWouldReject) {
  EXPECT_EQ(ProfileProblem(GetParam().profile), GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(
    Profiles, ProfileCheck,
    testing::Values(
        CheckCase{"Valid", Office(), std::nullopt},
        CheckCase{"BlankOptionalMembers",
                  With(&TNetInfo::DG, "none", With(&TNetInfo::DNS, "none")), std::nullopt},
        CheckCase{"LeadingZeros", With(&TNetInfo::IP, "010.000.000.005"), std::nullopt},
        CheckCase{"HalfTypedAddress", With(&TNetInfo::IP, "192.168.01."),
                  "IP \"192.168.01.\" is not an address"},
        CheckCase{"OctetOver255", With(&TNetInfo::WINS, "300.1.1.1"),
                  "WINS \"300.1.1.1\" is not an address"},
        CheckCase{"FiveOctets", With(&TNetInfo::DG, "10.0.0.1.1"),
                  "Default Gateway \"10.0.0.1.1\" is not an address"},
        CheckCase{"AlternateDns", With(&TNetInfo::ADNS, "..1."),
                  "Alternate DNS \"..1.\" is not an address"},
        CheckCase{"NoAddress", With(&TNetInfo::IP, "none"),
                  "IP is blank; a static profile needs an address"},
        CheckCase{"MaskWithAHole", With(&TNetInfo::SN, "255.0.255.0"),
                  "Subnet Mask \"255.0.255.0\" is not a mask"},
        CheckCase{"EmptyMask", With(&TNetInfo::SN, "0.0.0.0"), "Subnet Mask \"0.0.0.0\" is not a mask"},
        CheckCase{"HostMask", With(&TNetInfo::SN, "255.255.255.255"), std::nullopt},
        CheckCase{"FirstProblemWins",
                  With(&TNetInfo::SN, "255.0.255.0", With(&TNetInfo::WINS, "300.1.1.1")),
                  "Subnet Mask \"255.0.255.0\" is not a mask"},
        CheckCase{"DhcpIgnoresAddresses", Dhcp(With(&TNetInfo::WINS, "300.1.1.1")), std::nullopt},
        CheckCase{"QuoteInName", Dhcp(With(&TNetInfo::LAN, "Eth\"ernet")),
                  "LAN name \"Eth\"ernet\" cannot be given to netsh"},
        CheckCase{"TabInName", With(&TNetInfo::LAN, "Eth\tern"),
                  "LAN name \"Eth\tern\" cannot be given to netsh"},
        CheckCase{"EmptyName", With(&TNetInfo::LAN, ""), "LAN name \"\" cannot be given to netsh"},
        CheckCase{"NameOutsideAscii", With(&TNetInfo::LAN, "B\xFCro"), std::nullopt}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
