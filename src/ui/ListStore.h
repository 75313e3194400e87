#pragma once

#include <vector>

#include "ActiveProfiles.h"
#include "ProfileIni.h"
#include "ProfileListView.h"

// The store's profiles into the list, sorted once when all are in.
void ShowProfiles(TProfileListView& list, TProfileList profiles);

// The list's profiles in list order, as the store takes them.
TProfileList ListedProfiles(const TProfileListView& list);

// The list's profiles in list order, each by caption with its normalised copy, as the
// adapters are compared with them.
std::vector<TNamedProfile> NamedProfiles(const TProfileListView& list);
