#include "StoreKeeper.h"

#include <algorithm>
#include <utility>

#include "ProfileStore.h"

TStoreKeeper::TStoreKeeper(std::string storePath, IStoreFiles& files, TEvents events)
    : storePath_(std::move(storePath)),
      files_(files),
      events_(std::move(events)),
      timer_(kQuietMs, [this](TObject*) { SaveInBackground(); }) {
  timer_.SetOneShot(true);
  timer_.SetEnabled(false);
}

TProfileList TStoreKeeper::Load() {
  try {
    TProfileList profiles = LoadProfileStore(storePath_, files_);
    stored_ = IniFromProfiles(profiles);
    return profiles;
  } catch (const TStoreReadError& error) {
    held_ = error.what();
    Tell("Not read: " + *held_ + "; it is left as it is");
    throw;
  }
}

void TStoreKeeper::Changed() {
  // A change while waiting to try again is saved after the quiet moment, not the pause.
  if (retryMs_) {
    retryMs_ = 0;
    timer_.SetEnabled(false);
    timer_.SetInterval(kQuietMs);
  }
  // The first change of a burst arms the timer; later ones ride along, so that a save
  // comes at most kQuietMs after any change.
  if (!timer_.Enabled()) timer_.SetEnabled(true);
}

void TStoreKeeper::SaveInBackground() {
  if (held_) return;
  try {
    Write(events_.Listed(), false);
    retryMs_ = 0;
    timer_.SetInterval(kQuietMs);
  } catch (const TStoreError& error) {
    // Most failures pass (a scanner or a reader holding the file for a moment): tried
    // again after a pause that grows while it keeps failing, so that a kill later still
    // finds the change on disk without a change to bring the save back.
    retryMs_ = retryMs_ ? std::min(retryMs_ * 2, kRetryLastMs) : kRetryFirstMs;
    timer_.SetInterval(retryMs_);
    timer_.SetEnabled(true);
    Tell(std::string("Not saved: ") + error.what() + "; Ardenix tries again");
  }
}

bool TStoreKeeper::SaveForClosing() {
  timer_.SetEnabled(false);
  const TProfileList profiles = events_.Listed();
  if (held_) {
    // Nothing made in this session: nothing to weigh against what the store holds.
    if (IniFromProfiles(profiles).empty()) return true;
    const std::optional<bool> replace = events_.AskReplaceHeld(
        *held_ + ".\n\nWrite the connections of this window in its place? Yes replaces "
                 "what the file holds; No leaves the file as it is.");
    if (!replace) return false;
    if (!*replace) return true;
  }
  Write(profiles, true);
  held_.reset();
  return true;
}

void TStoreKeeper::SaveWithoutAsking() {
  timer_.SetEnabled(false);
  if (!held_) Write(events_.Listed(), true);
}

void TStoreKeeper::SaveDueNow() {
  if (!timer_.Enabled()) return;
  timer_.SetEnabled(false);
  SaveInBackground();
}

void TStoreKeeper::Write(const TProfileList& profiles, bool always) {
  std::string bytes = IniFromProfiles(profiles);
  if (always || bytes != stored_) {
    SaveStoreText(bytes, storePath_, files_);
    stored_ = std::move(bytes);
  }
  Tell("");
}

void TStoreKeeper::Tell(const std::string& problem) {
  if (problem == problem_) return;
  problem_ = problem;
  if (events_.OnProblem) events_.OnProblem(problem_);
}
