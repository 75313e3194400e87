#include "ProfileStore.h"

#include <memory>

TStoreError::TStoreError(const std::string& storePath)
    : std::runtime_error("Unable to write to " + storePath) {}

std::string TemporaryStorePath(const std::string& storePath) {
  return storePath + ".new";
}

TStoreReadError::TStoreReadError(const std::string& storePath, const std::string& problem)
    : std::runtime_error("The connections in " + storePath + " cannot be read: " + problem) {}

TProfileList LoadProfileStore(const std::string& storePath, IStoreFiles& files) {
  const TFileContent content = files.ReadAll(storePath);
  if (!content.Bytes) {
    if (content.Problem.empty()) return {};
    throw TStoreReadError(storePath, content.Problem);
  }
  return ProfilesFromIni(*content.Bytes);
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
  SaveStoreText(IniFromProfiles(profiles), storePath, files);
}

void SaveStoreText(const std::string& bytes, const std::string& storePath, IStoreFiles& files) {
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
