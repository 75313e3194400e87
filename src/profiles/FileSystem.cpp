#include "FileSystem.h"

TFileError TFileError::CannotCreate(std::string_view fullPath, std::string_view cause) {
  std::string text = "Cannot create file \"";
  text += fullPath;
  text += "\". ";
  text += cause;
  return TFileError(text);
}

TFileError TFileError::WriteFailed() {
  return TFileError("Stream write error");
}
