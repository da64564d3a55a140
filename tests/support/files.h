// File helpers shared by the tests.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

// The file's bytes, or an empty string when it cannot be read.
inline std::string ReadFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}
