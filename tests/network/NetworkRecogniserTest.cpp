#include "NetworkRecogniser.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "AdapterFixtures.h"

namespace {

constexpr char kA[] = "00-11-22-33-44-55";
constexpr char kAOtherSpelling[] = "00:11:22:33:44:55";
constexpr char kB[] = "00-11-22-33-44-66";
// An adapter's network in a step: a gateway's hardware address (Ethernet) or a Wi-Fi name,
// "" for up on no known network, or one of these.
constexpr char kDown[] = "(down)";
constexpr char kGone[] = "(gone)";
constexpr char kFailed[] = "(failed)";  // the whole reading failed

struct TListedProfile {
  std::string Caption, Lan, OnNetwork, GatewayMac, Wifi;
};

TNamedProfile Named(const TListedProfile& listed) {
  TNetInfo profile = WithLan(OfficeProfile(), listed.Lan.c_str());
  profile.OnNetwork = listed.OnNetwork;
  profile.NetworkGatewayMac = listed.GatewayMac;
  profile.NetworkWifi = listed.Wifi;
  return {listed.Caption, profile};
}

struct TStep {
  std::string Ethernet;
  std::string Wifi;
  std::vector<std::string> InForce;  // captions
  // Each recognition as "Adapter action ActOn (Recognised)", "; " between adapters.
  std::string Expected;
};

TAdapterState Adapter(const char* name, const char* id, const std::string& network, bool wireless) {
  TAdapterState adapter = OfficeAdapter();
  adapter.FriendlyName = name;
  adapter.Id = id;
  adapter.Up = network != kDown;
  // A wired adapter that is down may still show its last gateway's hardware address.
  if (network == kDown) adapter.GatewayHardwareAddress = kA;
  else (wireless ? adapter.WifiNetwork : adapter.GatewayHardwareAddress) = network;
  return adapter;
}

TAdapterReading ReadingAt(const TStep& step) {
  TAdapterReading reading;
  if (step.Ethernet == kFailed) return {false, 5, "Access is denied.", {}};
  if (step.Ethernet != kGone)
    reading.Adapters.push_back(
        Adapter("Ethernet", "{EEEEEEEE-0000-0000-0000-000000000001}", step.Ethernet, false));
  if (step.Wifi != kGone)
    reading.Adapters.push_back(
        Adapter("Wi-Fi", "{EEEEEEEE-0000-0000-0000-000000000002}", step.Wifi, true));
  return reading;
}

std::string Joined(const std::vector<std::string>& captions) {
  std::string text;
  for (const std::string& caption : captions) text += (text.empty() ? "" : ",") + caption;
  return text;
}

std::string Described(const std::vector<TAdapterRecognition>& recognitions) {
  constexpr const char* kWords[] = {"-", "offer", "switch"};
  std::string text;
  for (const TAdapterRecognition& r : recognitions) {
    if (!text.empty()) text += "; ";
    text += r.Adapter + " " + kWords[static_cast<int>(r.Action)];
    if (!r.ActOn.empty()) text += " " + Joined(r.ActOn);
    text += " (" + Joined(r.Recognised) + ")";
  }
  return text;
}

std::vector<std::size_t> IndexesOf(const std::vector<TNamedProfile>& profiles,
                                   const std::vector<std::string>& captions) {
  std::vector<std::size_t> indexes;
  for (std::size_t i = 0; i < profiles.size(); ++i)
    if (std::find(captions.begin(), captions.end(), profiles[i].Caption) != captions.end())
      indexes.push_back(i);
  return indexes;
}

struct TScenario {
  const char* name;
  std::vector<TListedProfile> profiles;
  std::vector<TStep> steps;
};

const TListedProfile kOfficeSwitches{"Office", "Ethernet", "switch", kA, ""};
const TListedProfile kOfficeOffers{"Office", "Ethernet", "offer", kA, ""};
const TListedProfile kLabOffers{"Lab", "Ethernet", "Offer", kA, ""};
const TListedProfile kHomeSwitches{"Home", "Ethernet", "switch", kB, ""};
const TListedProfile kCafeOffers{"Cafe", "Wi-Fi", "offer", "", "Cafe"};

void PrintTo(const TScenario& scenario, std::ostream* os) { *os << scenario.name; }

class NetworkRecogniserTest : public testing::TestWithParam<TScenario> {};

TEST_P(NetworkRecogniserTest, DecidesOncePerArrival) {
  const TScenario& scenario = GetParam();
  std::vector<TNamedProfile> profiles;
  for (const TListedProfile& listed : scenario.profiles) profiles.push_back(Named(listed));
  TNetworkRecogniser recogniser;
  for (std::size_t n = 0; n < scenario.steps.size(); ++n) {
    const TStep& step = scenario.steps[n];
    EXPECT_EQ(Described(recogniser.Recognise(ReadingAt(step), profiles,
                                             IndexesOf(profiles, step.InForce))),
              step.Expected)
        << "reading " << n + 1;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Readings, NetworkRecogniserTest,
    testing::Values(
        TScenario{"OneCandidateSwitches",
                  {kOfficeSwitches, kHomeSwitches},
                  {{kA, kGone, {}, "Ethernet switch Office (Office)"}}},
        TScenario{"OneCandidateOffers",
                  {kOfficeOffers},
                  {{kA, kGone, {"Unrelated"}, "Ethernet offer Office (Office)"}}},
        TScenario{"SeveralCandidatesAreAllOfferedNeverSwitched",
                  {kOfficeSwitches, kHomeSwitches, kLabOffers},
                  {{kA, kGone, {"Home"}, "Ethernet offer Office,Lab (Office,Lab)"}}},
        TScenario{"NoCandidate",
                  {kOfficeSwitches, kCafeOffers},
                  {{kB, "Home", {}, ""}, {"", "", {}, ""}, {kDown, kDown, {}, ""}}},
        TScenario{"ACandidateInForceLeavesTheAdapterAlone",
                  {kOfficeSwitches, kLabOffers},
                  {{kA, kGone, {"Lab"}, "Ethernet - (Office,Lab)"},
                   // The user applies another profile by hand: not fought over.
                   {kA, kGone, {"Home"}, "Ethernet - (Office,Lab)"}}},
        TScenario{"OncePerArrival",
                  {kOfficeSwitches, kHomeSwitches},
                  {{kA, kGone, {}, "Ethernet switch Office (Office)"},
                   // The switch failed (or was declined): not tried again on this network,
                   // however its address is spelled.
                   {kA, kGone, {}, "Ethernet - (Office)"},
                   {kAOtherSpelling, kGone, {}, "Ethernet - (Office)"},
                   // Another network, and back: two arrivals.
                   {kB, kGone, {}, "Ethernet switch Home (Home)"},
                   {kA, kGone, {}, "Ethernet switch Office (Office)"},
                   // No known network (the gateway's address not resolved yet), and back.
                   {"", kGone, {}, ""},
                   {kA, kGone, {}, "Ethernet switch Office (Office)"}}},
        TScenario{"Flapping",
                  {kOfficeSwitches},
                  {{kA, kGone, {}, "Ethernet switch Office (Office)"},
                   // Out and back within the quiet moment: one reading, the same network.
                   {kA, kGone, {"Office"}, "Ethernet - (Office)"},
                   // Slower: down, then back, with the profile still in force.
                   {kDown, kGone, {}, ""},
                   {kA, kGone, {"Office"}, "Ethernet - (Office)"},
                   // Down and back with another profile in force meanwhile: a new arrival.
                   {kDown, kGone, {}, ""},
                   {kA, kGone, {}, "Ethernet switch Office (Office)"},
                   // The adapter leaves the reading and comes back: a new arrival too.
                   {kGone, kGone, {}, ""},
                   {kA, kGone, {}, "Ethernet switch Office (Office)"}}},
        TScenario{"AFailedReadingChangesNothing",
                  {kOfficeSwitches},
                  {{kA, kGone, {}, "Ethernet switch Office (Office)"},
                   {kFailed, kGone, {}, ""},
                   {kA, kGone, {}, "Ethernet - (Office)"}}},
        TScenario{"KeysThatDoNotParseAreNeverActedOn",
                  {{"Typo", "Ethernet", "swich", kA, ""},
                   {"Nothing", "Ethernet", "", kA, ""},
                   {"Garbled", "Ethernet", "switch", "00-11-22-33-44", ""},
                   {"Zeros", "Ethernet", "switch", "00-00-00-00-00-00", ""}},
                  {{kA, kGone, {}, ""},
                   {"00-11-22-33-44", kGone, {}, ""},
                   {"00-00-00-00-00-00", kGone, {}, ""}}},
        TScenario{"ProfileOfAnotherAdapter",
                  {{"Office on Wi-Fi", "Wi-Fi", "switch", kA, ""},
                   {"Office elsewhere", "Ethernet 2", "switch", kA, ""}},
                  {{kA, "Cafe", {}, ""}}},
        TScenario{"TwoAdapters",
                  {kOfficeSwitches, kCafeOffers},
                  {{kA, "Cafe", {}, "Ethernet switch Office (Office); Wi-Fi offer Cafe (Cafe)"},
                   {kB, "Cafe", {}, "Wi-Fi - (Cafe)"},
                   {kA, "Cafe", {}, "Ethernet switch Office (Office); Wi-Fi - (Cafe)"},
                   {kA, "cafe", {}, "Ethernet - (Office)"},
                   {kA, "Cafe", {}, "Ethernet - (Office); Wi-Fi offer Cafe (Cafe)"}}}),
    [](const auto& param) { return std::string(param.param.name); });

// No candidate decides nothing, so a profile that learns the network where the user stands,
// or that starts asking for something there, is acted on while the network stays.
TEST(NetworkRecogniser, AProfileThatLearnsTheNetworkHereIsActedOn) {
  TNetworkRecogniser recogniser;
  const TAdapterReading reading = ReadingAt({kA, kGone, {}, ""});
  std::vector<TNamedProfile> profiles{Named({"Office", "Ethernet", "switch", "", ""})};
  EXPECT_EQ(Described(recogniser.Recognise(reading, profiles, {})), "");
  profiles[0].Normalised.NetworkGatewayMac = kA;
  EXPECT_EQ(Described(recogniser.Recognise(reading, profiles, {})),
            "Ethernet switch Office (Office)");
}

}  // namespace
