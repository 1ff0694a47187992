// The standalone main of a fuzz target in the normal build: feeds every file it is given (or
// every file of every folder it is given) through the target's entry function once, the way
// libFuzzer runs a kept input, so that inputs that once failed and the seeds stay checked by
// CTest. A failing input aborts inside the entry function; an empty list of inputs is a
// failure too, since a replay that reads nothing checks nothing.
//
//   brawnmoor-<name>-replay FILE|FOLDER...
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

bool isFolder(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The files of a folder, sorted by name so that every run replays in the same order.
std::vector<std::string> filesOf(const std::string& folder) {
  std::vector<std::string> files;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return files;
  while (dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name == "." || name == ".." || name[0] == '.') continue;
    const std::string path = folder + "/" + name;
    if (!isFolder(path)) files.push_back(path);
  }
  closedir(dir);
  std::sort(files.begin(), files.end());
  return files;
}

bool readFile(const std::string& path, std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  bytes.clear();
  uint8_t buffer[65536];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
  const bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FILE|FOLDER...\n", argv[0]);
    return 2;
  }
  if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
  std::vector<std::string> inputs;
  for (int i = 1; i < argc; ++i) {
    if (isFolder(argv[i])) {
      for (const std::string& f : filesOf(argv[i])) inputs.push_back(f);
    } else {
      inputs.push_back(argv[i]);
    }
  }
  std::vector<uint8_t> bytes;
  for (const std::string& path : inputs) {
    if (!readFile(path, bytes)) {
      std::fprintf(stderr, "cannot read %s\n", path.c_str());
      return 1;
    }
    std::fprintf(stderr, "%s (%zu bytes)\n", path.c_str(), bytes.size());
    // A copy of exactly the input's size, so that a read past its end shows under a sanitizer.
    std::vector<uint8_t> exact(bytes);
    static uint8_t none;
    LLVMFuzzerTestOneInput(exact.empty() ? &none : exact.data(), exact.size());
  }
  if (inputs.empty()) {
    std::fprintf(stderr, "no inputs to replay\n");
    return 1;
  }
  std::printf("%zu inputs replayed\n", inputs.size());
  return 0;
}
