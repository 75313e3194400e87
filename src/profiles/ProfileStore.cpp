#include "ProfileStore.h"

#include <memory>

TStoreError::TStoreError(const std::string& storePath)
    : std::runtime_error("Unable to write to " + storePath) {}

std::string TemporaryStorePath(const std::string& storePath) {
  return storePath + ".new";
}

TProfileList LoadProfileStore(const std::string& storePath, IStoreFiles& files) {
  const auto bytes = files.ReadAll(storePath);
  if (!bytes) return {};
  return ProfilesFromIni(*bytes);
}

namespace {

bool WriteWhole(IStoreFiles& files, const std::string& path, const std::string& bytes) {
  std::unique_ptr<IStoreFile> file = files.CreateNew(path);
  if (!file) return false;
  return file->Write(bytes) && file->Flush() && file->Close();
}

}  // namespace

void SaveProfileStore(const TProfileList& profiles, const std::string& storePath,
                      IStoreFiles& files) {
  const std::string bytes = IniFromProfiles(profiles);
  const std::string temporary = TemporaryStorePath(storePath);
  if (bytes.empty()) {
    files.Remove(storePath);
    files.Remove(temporary);
    return;
  }
  if (!WriteWhole(files, temporary, bytes) || !files.ReplaceAtomically(temporary, storePath)) {
    files.Remove(temporary);
    throw TStoreError(storePath);
  }
}
