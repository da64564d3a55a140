// File helpers shared by the tests.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace vadidazid {

// The file's bytes, or an empty string when it cannot be read.
inline std::string ReadFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

// Works in a fresh directory of its own for as long as it lives, and afterwards puts the
// old working directory back and removes the new one, also when a check fails half-way.
class ScopedWorkingDirectory {
 public:
  explicit ScopedWorkingDirectory(const std::filesystem::path& dir)
      : old_(std::filesystem::current_path()), dir_(dir) {
    std::filesystem::create_directories(dir_);
    std::filesystem::current_path(dir_);
  }
  ~ScopedWorkingDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(old_, ignored);
    std::filesystem::remove_all(dir_, ignored);
  }
  ScopedWorkingDirectory(const ScopedWorkingDirectory&) = delete;
  ScopedWorkingDirectory& operator=(const ScopedWorkingDirectory&) = delete;

 private:
  std::filesystem::path old_;
  std::filesystem::path dir_;
};

}  // namespace vadidazid
