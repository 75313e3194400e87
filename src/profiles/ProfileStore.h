#pragma once

#include <stdexcept>
#include <string>

#include "ProfileIni.h"
#include "StoreFiles.h"

// The store could not be written. what() is the text the user is shown:
// "Unable to write to " and the store's path.
class TStoreError : public std::runtime_error {
 public:
  explicit TStoreError(const std::string& storePath);
};

// The store is there but could not be read (held by another program without sharing, no
// permission). what() is the text the user is shown: "The connections in ", the store's
// path, " cannot be read: " and the system's reason.
class TStoreReadError : public std::runtime_error {
 public:
  TStoreReadError(const std::string& storePath, const std::string& problem);
};

// All profiles of the store, read in one piece, in file order (see ProfilesFromIni). A
// store that is not there gives an empty list; one that is there but cannot be read
// throws TStoreReadError, so that it is never taken for an empty one (saving an empty
// list removes the store).
TProfileList LoadProfileStore(const std::string& storePath, IStoreFiles& files);

// Rewrites the store from the list (see IniFromProfiles). The new store is written whole
// to "<store>.new" beside it, flushed to the disk, and only then put in the old one's
// place in one step, so the store is at every moment either the old or the new one. If
// any step fails, the temporary file is removed, the old store stays as it was and
// TStoreError is thrown. A list with nothing to store removes the store (a store that
// cannot be removed is left without a word: it only brings back the old profiles).
void SaveProfileStore(const TProfileList& profiles, const std::string& storePath,
                      IStoreFiles& files);
// The same with the store's text made already (IniFromProfiles).
void SaveStoreText(const std::string& text, const std::string& storePath, IStoreFiles& files);

// Where SaveProfileStore writes the new store before it replaces the old one.
std::string TemporaryStorePath(const std::string& storePath);
