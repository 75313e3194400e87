// The tests' own look at a file: its bytes as they lie on disk, whatever wrote them.
#pragma once

#include <fstream>
#include <iterator>
#include <optional>
#include <string>

inline std::optional<std::string> FileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  return std::string{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}
