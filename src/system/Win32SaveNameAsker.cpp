#include "Win32SaveNameAsker.h"

#include <commdlg.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

constexpr DWORD kNameBufferSize = MAX_PATH;  // 260 characters, the closing NUL included

constexpr DWORD kDialogFlags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY;

DWORD DialogFlags(const TSaveNameRequest& request) {
  return kDialogFlags | (request.confirmReplace ? OFN_OVERWRITEPROMPT : 0);
}

}  // namespace

std::string SaveDialogFilter(const std::string& description, const std::string& pattern) {
  std::string filter = description;
  filter += '\0';
  filter += pattern;
  filter += '\0';
  filter += '\0';
  return filter;
}

TWin32SaveNameAsker::TWin32SaveNameAsker(TOwnerSource owner) : owner_(std::move(owner)) {}

std::optional<std::string> TWin32SaveNameAsker::AskSaveName(const TSaveNameRequest& request) {
  const std::string filter = SaveDialogFilter(request.filterDescription, request.filterPattern);
  std::vector<char> name(kNameBufferSize, '\0');
  // A proposal longer than the buffer is cut short; the user sees and can mend it.
  std::copy_n(request.proposedName.begin(),
              std::min<std::size_t>(request.proposedName.size(), kNameBufferSize - 1),
              name.begin());

  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner_ ? owner_() : nullptr;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = kNameBufferSize;
  // The dialog adds the extension only to a name typed without one, and the question
  // about a taken name is about the name with that extension.
  dialog.lpstrDefExt =
      request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
  dialog.Flags = DialogFlags(request);
  const auto getSaveFileName =
      dialogs_.Function<BOOL(WINAPI*)(LPOPENFILENAMEA)>("GetSaveFileNameA");
  if (!getSaveFileName(&dialog)) return std::nullopt;  // cancelled, or the dialog failed
  return std::string(name.data());
}
