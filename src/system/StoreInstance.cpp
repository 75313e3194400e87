#include "StoreInstance.h"

#include <cstdint>
#include <cstdio>

#include "Application.h"
#include "Form.h"

namespace {

// How long a later start waits for a running program that is still loading its store
// before it tells the program where to send requests.
constexpr DWORD kServeWaitMs = 10000;
constexpr DWORD kServePollMs = 20;

std::string FullPath(const std::string& path) {
  char full[MAX_PATH * 2] = {};
  const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  if (length == 0 || length >= sizeof full) return path;
  // Short (8.3) and long forms of one folder are one store; a store not written yet
  // keeps its long form as given.
  char longer[MAX_PATH * 2] = {};
  const DWORD longLength = GetLongPathNameA(full, longer, sizeof longer);
  if (longLength == 0 || longLength >= sizeof longer) return full;
  return longer;
}

// FNV-1a, 64 bits: enough to keep the stores of one machine apart.
std::uint64_t Hash(const std::string& text) {
  std::uint64_t hash = 14695981039346656037ull;
  for (unsigned char character : text) {
    hash ^= character;
    hash *= 1099511628211ull;
  }
  return hash;
}

}  // namespace

// The application window of the program that holds the store, or 0 while it starts.
struct TStoreInstance::TShared {
  volatile LONG64 Window;
};

std::string StoreInstanceName(const std::string& storePath) {
  std::string folded = FullPath(storePath);
  CharUpperBuffA(folded.data(), static_cast<DWORD>(folded.size()));
  char name[64];
  std::snprintf(name, sizeof name, "Local\\Ardenix-store-%016llx",
                static_cast<unsigned long long>(Hash(folded)));
  return name;
}

UINT StoreInstanceBringBackMessage() {
  static const UINT message = RegisterWindowMessageA("Ardenix.BringBack");
  return message;
}

TStoreInstance::~TStoreInstance() {
  if (served_ && Application == served_) {
    Application->UnhookMainWindow({this, &TStoreInstance::ApplicationHook});
  }
  if (shared_) {
    if (published_) InterlockedExchange64(&shared_->Window, 0);
    UnmapViewOfFile(shared_);
  }
  if (mapping_) CloseHandle(mapping_);
}

TStoreClaim TStoreInstance::Claim(const std::string& storePath, TWhenHeld whenHeld) {
  const std::string name = StoreInstanceName(storePath);
  mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                sizeof(TShared), name.c_str());
  // A claim that exists but is not ours to open (access denied, or a name taken by
  // another kind of object) is held all the same; so is one that cannot be made, since
  // the store cannot be told free.
  if (!mapping_) return TStoreClaim::Unanswered;
  const bool first = GetLastError() != ERROR_ALREADY_EXISTS;
  shared_ = static_cast<TShared*>(
      MapViewOfFile(mapping_, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(TShared)));
  if (!shared_) return TStoreClaim::Unanswered;
  if (first) return TStoreClaim::Claimed;
  if (whenHeld == TWhenHeld::LeaveAlone) return TStoreClaim::LeftAlone;
  return BringBackRunning();
}

bool TStoreInstance::ClaimIfFree(const std::string& storePath) {
  return Claim(storePath, TWhenHeld::LeaveAlone) == TStoreClaim::Claimed;
}

TStoreClaim TStoreInstance::BringBackRunning() const {
  HWND window = nullptr;
  for (DWORD waited = 0; waited <= kServeWaitMs; waited += kServePollMs) {
    window = reinterpret_cast<HWND>(static_cast<INT_PTR>(InterlockedCompareExchange64(
        &shared_->Window, 0, 0)));
    if (window) break;
    Sleep(kServePollMs);
  }
  if (!window || !IsWindow(window)) return TStoreClaim::Unanswered;
  // This start came from the user, so it may hand the foreground on.
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  AllowSetForegroundWindow(process);
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(window, StoreInstanceBringBackMessage(), 0, 0,
                           SMTO_ABORTIFHUNG | SMTO_BLOCK, kAnswerTimeoutMs, &answer)) {
    return TStoreClaim::Unanswered;
  }
  return TStoreClaim::HandedOver;
}

void TStoreInstance::Serve(TApplication& application) {
  if (!shared_ || served_) return;
  served_ = &application;
  application.HookMainWindow({this, &TStoreInstance::ApplicationHook});
  Publish(application.Handle());
}

void TStoreInstance::Publish(HWND window) {
  if (!shared_) return;
  published_ = true;
  InterlockedExchange64(&shared_->Window, static_cast<LONG64>(reinterpret_cast<INT_PTR>(window)));
}

std::string StoreHeldText(const std::string& storePath) {
  return "Ardenix is already running for " + storePath +
         " but does not answer. This start ends; close the running Ardenix (or end it in the "
         "Task Manager) and start again.";
}

// As the tray menu's Configure: a restore brings the main form back from the
// notification area; then the window the user last had comes to the front.
bool TStoreInstance::ApplicationHook(void* object, TMessage& message) {
  if (message.Msg != StoreInstanceBringBackMessage()) return false;
  TApplication* application = static_cast<TStoreInstance*>(object)->served_;
  if (!application) return false;
  // The answer says this program is there and handles its messages; it goes before the
  // restoring, which on a loaded machine may take longer than the later start waits.
  ReplyMessage(0);
  if (application->IsMinimized()) application->Restore();
  HWND front = GetLastActivePopup(application->Handle());
  if (front == application->Handle() && application->MainForm()) {
    front = application->MainForm()->Handle();
  }
  if (front && IsWindowVisible(front)) SetForegroundWindow(front);
  message.Result = 0;
  return true;
}
