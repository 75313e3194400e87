#include "ListStore.h"

#include <utility>

void ShowProfiles(TProfileListView& list, TProfileList profiles) {
  list.BeginUpdate(static_cast<int>(profiles.size()));
  try {
    for (TProfileEntry& profile : profiles) {
      list.Append(std::move(profile.Caption), std::move(profile.Profile));
    }
    list.SortByCaption();
  } catch (...) {
    list.EndUpdate();
    throw;
  }
  list.EndUpdate();
}

TProfileList ListedProfiles(const TProfileListView& list) {
  TProfileList profiles;
  const int count = list.Count();
  profiles.reserve(static_cast<size_t>(count));
  for (int index = 0; index < count; ++index) {
    const TListEntry* entry = list.EntryAt(index);
    profiles.push_back({entry->Caption, entry->Profile});
  }
  return profiles;
}

std::vector<TNamedProfile> NamedProfiles(const TProfileListView& list) {
  std::vector<TNamedProfile> profiles;
  const int count = list.Count();
  profiles.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
  for (int index = 0; index < count; ++index) {
    const TListEntry* entry = list.EntryAt(index);
    profiles.push_back({entry->Caption, NormalisedCopy(entry->Profile)});
  }
  return profiles;
}
