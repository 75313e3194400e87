#include "StoreKeeper.h"

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
  // The first change of a burst arms the timer; later ones ride along, so that a save
  // comes at most kQuietMs after any change.
  if (!timer_.Enabled()) timer_.SetEnabled(true);
}

void TStoreKeeper::SaveInBackground() {
  if (held_) return;
  try {
    Write(events_.Listed(), false);
  } catch (const TStoreError& error) {
    Tell(std::string("Not saved: ") + error.what() + "; tried again at the next change");
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
