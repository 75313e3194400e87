#include "SiblingPath.h"

std::string ReplaceExtension(std::string_view path, std::string_view extension) {
  std::string_view stem = path;
  std::string_view::size_type last = path.find_last_of(".\\:");
  if (last != std::string_view::npos && path[last] == '.') stem = path.substr(0, last);
  std::string result(stem);
  result += extension;
  return result;
}

std::string StorePathBeside(ISystemPaths& paths) {
  return ReplaceExtension(paths.ExecutablePath(), ".INI");
}
