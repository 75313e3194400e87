#pragma once

#include <string>

// Ardenix.exe as built (ARDENIX_EXE, a path on the build machine), as a Windows path:
// Wine maps the Unix root to drive Z:.
inline std::string ProgramPath() {
  std::string path = ARDENIX_EXE;
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path) c = c == '/' ? '\\' : c;
  return path;
}
