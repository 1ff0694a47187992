// A temporary folder for a test, removed with everything in it at the end of the test.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

class TempDir {
 public:
  TempDir() {
#if defined(_WIN32)
    // A new folder of a random name in the system's temporary folder.
    std::error_code ec;
    std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    std::random_device seed;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      std::filesystem::path candidate = base / ("brawnmoor-test-" + std::to_string(seed()));
      if (std::filesystem::create_directory(candidate, ec)) path_ = candidate.string();
    }
#else
    char pattern[] = "/tmp/brawnmoor-test-XXXXXX";
    char* made = mkdtemp(pattern);
    path_ = made ? made : "";
#endif
  }
  ~TempDir() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

  // Copies a folder with everything in it to a name inside this one (the C++ library's own
  // recursive copy fails on Windows).
  void copyFolder(const std::string& from, const std::string& name) const {
    namespace fs = std::filesystem;
    const fs::path target(file(name));
    fs::create_directories(target);
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(from)) {
      const fs::path to = target / fs::relative(e.path(), from);
      if (e.is_directory())
        fs::create_directories(to);
      else
        fs::copy_file(e.path(), to, fs::copy_options::overwrite_existing);
    }
  }

  void write(const std::string& name, const std::string& bytes) const {
    std::filesystem::path p(file(name));
    std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary);
    out << bytes;
  }

 private:
  std::string path_;
};
