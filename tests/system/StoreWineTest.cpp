// The store's own INI layer against the Windows private-profile functions, on real files.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

#include "PrivateProfileStore.h"
#include "ProfileStore.h"
#include "StorePrinters.h"
#include "StoreScratchFolder.h"
#include "SystemErrorText.h"
#include "Win32KernelHandle.h"
#include "Win32StoreFiles.h"

namespace {

using namespace std::string_literals;

// The address field's reading of a text: the pieces before, between and after the first
// three dots, each cut or padded with spaces to three characters. A text that lost its end
// blanks in the store shows as the same address.
std::string AsAddressField(std::string_view text) {
  std::string shown;
  for (int piece = 0; piece < 4; ++piece) {
    const auto dot = piece < 3 ? text.find('.') : std::string_view::npos;
    std::string part(text.substr(0, std::min<std::size_t>(dot, 3)));
    part.resize(3, ' ');
    shown += part;
    if (piece < 3) shown += '.';
    text.remove_prefix(dot == std::string_view::npos ? text.size() : dot + 1);
  }
  return shown;
}

// What the profile looks like once written through WritePrivateProfileString (values
// lose their end blanks) and shown again.
TProfileList AsShownAgain(TProfileList profiles) {
  for (TProfileEntry& e : profiles) {
    TNetInfo& p = e.Profile;
    p.LAN = TrimIniBlanks(p.LAN);
    for (std::string* address : {&p.IP, &p.SN, &p.DG, &p.DNS, &p.ADNS, &p.WINS}) {
      *address = AsAddressField(*address);
    }
  }
  return profiles;
}

const std::string kUntouched = "   .   .   .   ";

TProfileList SampleProfiles(int count) {
  TProfileList profiles;
  for (int i = 0; i < count; ++i) {
    const std::string n = std::to_string(i % 250);
    profiles.push_back({"Profile " + std::to_string(i) + std::string(i % 7, '!'),
                        {"Local Area Connection " + n, i % 3 == 0, "10 .0  ." + n + ".1  ",
                         "255.255.255.0  ", "10 .0  .0  .1  ", n + ".1.1.1", kUntouched, ""}});
  }
  return profiles;
}

const TProfileList kTricky = {
    {"Home",
     {"Local Area Connection", true, kUntouched, kUntouched, kUntouched, kUntouched, kUntouched,
      kUntouched}},
    {"a]b [x] ;c =d", {" lead", false, "trail ", "\"q\"", "'s'", "\"", "=;[x]", "\t"}},
    {"HOME", {"second spelling", false, "", "", "", "", "", ""}},
    {"  Spaced  ", {"", true, "   ", "\"\"", "\xA0", "#", "a=b", "0x1A"}},
    {"\xC9t\xE9", {"\xE9", false, "", "", "", "", "", ""}},
};

class StoreAgainstPrivateProfile : public StoreScratchFolder {};

TEST_F(StoreAgainstPrivateProfile, OurFilesReadTheSameThroughThePrivateProfileFunctions) {
  TWin32StoreFiles files;
  const std::vector<TProfileList> lists = {kTricky, SampleProfiles(3000)};
  for (std::size_t i = 0; i < lists.size(); ++i) {
    const std::string store = Path("ours" + std::to_string(i) + ".INI");
    SaveProfileStore(lists[i], store, files);
    const TProfileList expected = StorableProfiles(lists[i]);
    EXPECT_EQ(LoadThroughPrivateProfile(store), expected) << "list " << i;
    EXPECT_EQ(LoadProfileStore(store, files), expected) << "list " << i;
  }
}

// Profiles as the editor leaves them; WritePrivateProfileString only drops their end blanks.
const TProfileList kEveryday = {
    {"Home",
     {"Local Area Connection", true, kUntouched, kUntouched, kUntouched, kUntouched, kUntouched,
      kUntouched}},
    {"Office",
     {"Local Area Connection 2", false, "10 .0  .0  .5  ", "255.255.255.0  ", "10 .0  .0  .1  ",
      "10 .0  .0  .1  ", kUntouched, "192.168.100.200"}},
    {"HOME", {"Local Area Connection", false, "1  .2  .3  .4  ", kUntouched, "", "", "", ""}},
    {"  Spaced  ", {" Wireless ", true, "", "", "", "", "", ""}},
};

TEST_F(StoreAgainstPrivateProfile, FilesOfWritePrivateProfileStringLoadTheSameThroughOurs) {
  TWin32StoreFiles files;
  const std::vector<TProfileList> lists = {kEveryday, SampleProfiles(300), kTricky};
  for (std::size_t i = 0; i < lists.size(); ++i) {
    const std::string store = Path("theirs" + std::to_string(i) + ".INI");
    ASSERT_TRUE(SaveThroughPrivateProfile(lists[i], store));
    const TProfileList loaded = LoadProfileStore(store, files);
    EXPECT_EQ(loaded, LoadThroughPrivateProfile(store)) << "list " << i;
    if (&lists[i] != &lists.back()) {
      EXPECT_EQ(AsShownAgain(loaded), AsShownAgain(StorableProfiles(lists[i]))) << "list " << i;
    }
  }
}

// Files made by hand; DHCP values stay clear of the prefixes on which Wine's reading
// differs from ours ("0X", "0b", "0o").
const std::vector<std::string> kHandMadeFiles = {
    "[A]\nLAN=lf\nDHCP=1\n[B]\rLAN=cr\rDHCP=2\r[C]\r\nLAN=crlf\r\nIP=1\r\n",
    "\xEF\xBB\xBF[Bom]\r\nLAN=x\r\n",
    "LAN=before\r\n[]\r\nLAN=nameless\r\n[ B ]\r\n LAN = b \r\nDHCP=yes\r\n",
    "[S]\r\nlan=a\r\nLAN=b\r\n[s]\r\nIP=c\r\n[T]\r\nLAN\r\nLAN=hidden\r\nDHCP\r\nDHCP=1\r\n",
    "[Q]\r\nLAN=\"quoted\"\r\nIP=' x '\r\nSN=\"\r\nDG=\"\"\"\r\nDNS=\"ab'\r\nDHCP=\"1\"\r\n",
    "[N]\r\nLAN=ab\0cd\r\nIP=x \0y\r\n[M\0R]\r\nLAN=m\r\nD\0X=1\r\nDHCP=0x1f\r\n"s,
    "[c]\r\n;LAN=comment\r\nnoeq\r\n[D]junk\r\nDHCP=-1\r\n[a]b]\r\nDHCP=1abc\r\n[C\r\nLAN=c\r\n",
    "[W]\r\nLAN=\x1a\v\fv\t\r\nDHCP= - 1\r\n[\xA0X]\r\nDHCP=4294967296\r\n",
};

TEST_F(StoreAgainstPrivateProfile, HandMadeFilesLoadAsThePrivateProfileFunctionsReadThem) {
  TWin32StoreFiles files;
  for (std::size_t i = 0; i < kHandMadeFiles.size(); ++i) {
    const std::string store = Path("hand" + std::to_string(i) + ".INI");
    std::ofstream(store, std::ios::binary) << kHandMadeFiles[i];
    EXPECT_EQ(LoadProfileStore(store, files), LoadThroughPrivateProfile(store)) << "file " << i;
  }
}

// Files of random pieces: names, brackets, quotes, blanks and line ends in any order. Left
// out are NUL (a name with a blank before a NUL is listed but unreadable by the functions,
// where ours drops the blank) and the byte-order mark (the functions recode such a file to
// the ANSI code page, ours keeps its bytes).
std::string RandomStoreFile(std::mt19937& random) {
  static const std::vector<std::string> kPieces = {
      "LAN", "lan", "DHCP",   "dhcp",   "IP",   "SN",   "WINS", "=",    "=",
      "[",   "]",   "[Home]", "[HOME]", "\"",   "'",    " ",    "\t",   "\x1a",
      "\r",  "\n",  "\r\n",   "\r\n",   ";",    "1",    "0",    "0x1f", "-",
      "2",   "yes", "Home",   "\xA0",   "\xE9", "\xC9", "a b"};
  std::uniform_int_distribution<std::size_t> piece(0, kPieces.size() - 1);
  std::uniform_int_distribution<int> length(1, 60);
  std::string file;
  for (int n = length(random); n > 0; --n) file += kPieces[piece(random)];
  return file;
}

std::string Escaped(const std::string& bytes) {
  std::string escaped;
  for (unsigned char c : bytes) {
    if (c >= 32 && c < 127 && c != '\\') {
      escaped += static_cast<char>(c);
    } else {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02X", c);
      escaped += code;
    }
  }
  return escaped;
}

TEST_F(StoreAgainstPrivateProfile, RandomFilesLoadAsThePrivateProfileFunctionsReadThem) {
  TWin32StoreFiles files;
  std::mt19937 random(2026);
  for (int i = 0; i < 400; ++i) {
    const std::string bytes = RandomStoreFile(random);
    const std::string store = Path("random" + std::to_string(i) + ".INI");
    std::ofstream(store, std::ios::binary) << bytes;
    ASSERT_EQ(LoadProfileStore(store, files), LoadThroughPrivateProfile(store))
        << "file " << i << ": " << Escaped(bytes);
  }
}

// Texts of random pieces for captions and values, line breaks and NUL included.
std::string RandomText(std::mt19937& random) {
  static const std::vector<std::string> kPieces = {
      "a",       "B",   " ", "\t", "\x1a", "\"",   "'",  "=",  "[",
      "]",       ";",   ".", "1",  "\xA0", "\xE9", "\r", "\n", std::string(1, '\0'),
      "  .   .", "Home"};
  std::uniform_int_distribution<std::size_t> piece(0, kPieces.size() - 1);
  std::uniform_int_distribution<int> length(0, 8);
  std::string text;
  for (int n = length(random); n > 0; --n) text += kPieces[piece(random)];
  return text;
}

TEST_F(StoreAgainstPrivateProfile, RandomListsWrittenByOursReadTheSameThroughTheFunctions) {
  TWin32StoreFiles files;
  std::mt19937 random(2026);
  std::uniform_int_distribution<int> count(1, 5);
  for (int i = 0; i < 300; ++i) {
    TProfileList profiles;
    for (int n = count(random); n > 0; --n) {
      profiles.push_back(
          {RandomText(random),
           {RandomText(random), random() % 2 == 0, RandomText(random), RandomText(random),
            RandomText(random), RandomText(random), RandomText(random), RandomText(random)}});
    }
    const std::string store = Path("list" + std::to_string(i) + ".INI");
    SaveProfileStore(profiles, store, files);
    ASSERT_EQ(LoadThroughPrivateProfile(store), StorableProfiles(profiles)) << "list " << i;
  }
}

class Win32StoreFilesTest : public StoreScratchFolder {
 protected:
  std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  TWin32StoreFiles files_;
  const TProfileList old_ = SampleProfiles(2);
};

TEST_F(Win32StoreFilesTest, AMissingStoreLoadsEmptyAndAFolderInItsPlaceIsAnError) {
  EXPECT_TRUE(LoadProfileStore(Path("missing.INI"), files_).empty());
  EXPECT_TRUE(LoadProfileStore(Path("missing\\Ardenix.INI"), files_).empty());
  EXPECT_THROW(LoadProfileStore(folder_, files_), TStoreReadError);
}

TEST_F(Win32StoreFilesTest, AStoreOpenElsewhereForWritingStillLoads) {
  const std::string store = Path("Ardenix.INI");
  SaveProfileStore(old_, store, files_);
  TKernelHandle other(CreateFileA(store.c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                  nullptr));
  ASSERT_TRUE(other);
  EXPECT_EQ(LoadProfileStore(store, files_), old_);
}

TEST_F(Win32StoreFilesTest, ALockedStoreIsAnErrorAndIsNotReplaced) {
  const std::string store = Path("Ardenix.INI");
  SaveProfileStore(old_, store, files_);
  const std::string before = Bytes(store);
  {
    TKernelHandle locked(
        CreateFileA(store.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(locked);
    try {
      LoadProfileStore(store, files_);
      ADD_FAILURE() << "a store held without sharing loaded";
    } catch (const TStoreReadError& error) {
      EXPECT_EQ(std::string(error.what()),
                "The connections in " + store + " cannot be read: " +
                    SystemErrorText(ERROR_SHARING_VIOLATION));
    }
    EXPECT_THROW(SaveProfileStore(SampleProfiles(5), store, files_), TStoreError);
    EXPECT_FALSE(Exists(TemporaryStorePath(store)));
  }
  EXPECT_EQ(Bytes(store), before);
}

TEST_F(Win32StoreFilesTest, AMissingFolderIsReportedWithTheStorePath) {
  const std::string store = Path("gone\\Ardenix.INI");
  try {
    SaveProfileStore(old_, store, files_);
    FAIL() << "the save was reported as done";
  } catch (const TStoreError& error) {
    EXPECT_EQ(error.what(), "Unable to write to " + store);
  }
}

TEST_F(Win32StoreFilesTest, SavingAnEmptyListRemovesTheStoreAndALeftoverTemporary) {
  const std::string store = Path("Ardenix.INI");
  SaveProfileStore(old_, store, files_);
  std::ofstream(TemporaryStorePath(store)) << "[Half";
  SaveProfileStore({}, store, files_);
  EXPECT_FALSE(Exists(store));
  EXPECT_FALSE(Exists(TemporaryStorePath(store)));
  SaveProfileStore({}, store, files_);
}

}  // namespace
