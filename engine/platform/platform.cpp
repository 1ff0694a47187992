#include "platform/platform.h"

#include <SDL.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <strings.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

namespace platform {

namespace {

bool headlessVideoDriver() {
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  return driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

// The first of the locale's variables that is set and not empty, as the C library reads them
// for messages; null when none is.
const char* localeVariable() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* v = std::getenv(name);
    if (v && v[0]) return v;
  }
  return nullptr;
}

}  // namespace

std::string languageOfLocaleName(const char* name) {
  std::string code;
  for (const char* p = name ? name : ""; *p && *p != '_' && *p != '-' && *p != '.' && *p != '@'; ++p) {
    const char c = *p;
    if (c >= 'A' && c <= 'Z') code += char(c - 'A' + 'a');
    else if (c >= 'a' && c <= 'z') code += c;
    else return std::string();
  }
  // "C" and "POSIX" are no languages, nor is anything else of another length.
  return code.size() == 2 || code.size() == 3 ? code : std::string();
}

#if defined(_WIN32)

// ---- Windows --------------------------------------------------------------------------------

std::string executableFolder() {
  std::vector<char> buf(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameA(nullptr, buf.data(), DWORD(buf.size()));
    if (n == 0) return std::string();
    if (n < buf.size()) break;
    if (buf.size() >= 32768) return std::string();
    buf.resize(buf.size() * 2);
  }
  char* cut = std::strrchr(buf.data(), '\\');
  if (!cut) return std::string();
  *cut = 0;
  return std::string(buf.data());
}

std::string userDataRoot() {
  // %APPDATA% is how the system names the folder to every program it starts; a process given
  // another one (a portable set-up, a test) uses that. Without it, the shell's known folder.
  const char* env = std::getenv("APPDATA");
  if (env && ((env[0] && env[1] == ':') || (env[0] == '\\' && env[1] == '\\')))
    return std::string(env);
  PWSTR wide = nullptr;
  std::string root;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &wide)) && wide) {
    int n = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (n > 1) {
      root.resize(size_t(n));
      WideCharToMultiByte(CP_ACP, 0, wide, -1, root.data(), n, nullptr, nullptr);
      root.resize(size_t(n - 1));
    }
  }
  CoTaskMemFree(wide);
  return root;
}

namespace {

bool isFolder(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool makeFolders(const std::string& path) {
  if (path.empty()) return false;
  // The drive ("C:") or the share ("\\server\share") is not made, only what follows it.
  size_t pos = 0;
  if (path.size() >= 2 && path[1] == ':') {
    pos = 2;
  } else if (path.rfind("\\\\", 0) == 0) {
    pos = path.find_first_of("\\/", 2);
    if (pos != std::string::npos) pos = path.find_first_of("\\/", pos + 1);
    if (pos == std::string::npos) return isFolder(path);
  }
  while (pos < path.size()) {
    size_t next = path.find_first_of("\\/", pos + 1);
    if (next == std::string::npos) next = path.size();
    std::string partial = path.substr(0, next);
    if (!partial.empty() && partial.back() != ':' && !CreateDirectoryA(partial.c_str(), nullptr) &&
        GetLastError() != ERROR_ALREADY_EXISTS)
      return false;
    pos = next;
  }
  return isFolder(path);
}

bool isFile(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string findFile(const std::string& path) {
  // The file system ignores case already.
  if (path.empty() || GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
    return std::string();
  return path;
}

namespace {

// The system's words for an error code, without the line break it ends with.
std::string systemMessage(DWORD error) {
  char text[256] = "";
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                           MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, sizeof text, nullptr);
  std::string s(text, n);
  while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ' || s.back() == '.')) s.pop_back();
  return s.empty() ? "error " + std::to_string(error) : s;
}

}  // namespace

bool isRegularFile(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE));
}

FileRead readRegularFile(const std::string& path, void* bytes, size_t maxBytes, size_t* got,
                         uint64_t* fileSize, std::string* reason) {
  if (got) *got = 0;
  if (fileSize) *fileSize = 0;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    if (reason) *reason = std::strerror(EISDIR);
    return FileRead::Refused;
  }
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return FileRead::Missing;
    if (reason) *reason = systemMessage(error);
    return FileRead::Refused;
  }
  LARGE_INTEGER length{};
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &length)) {
    if (reason) *reason = "not a file";
    CloseHandle(file);
    return FileRead::Refused;
  }
  if (fileSize) *fileSize = uint64_t(length.QuadPart);
  size_t total = 0;
  while (total < maxBytes) {
    DWORD chunk = DWORD(maxBytes - total > 0x40000000u ? 0x40000000u : maxBytes - total), n = 0;
    if (!ReadFile(file, static_cast<char*>(bytes) + total, chunk, &n, nullptr)) {
      if (reason) *reason = systemMessage(GetLastError());
      CloseHandle(file);
      return FileRead::Refused;
    }
    if (n == 0) break;
    total += n;
  }
  CloseHandle(file);
  if (got) *got = total;
  return FileRead::Read;
}

bool writeFileAtomically(const std::string& path, const void* bytes, size_t size, std::string* reason) {
  std::string temporary = path + ".new";
  HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    if (reason) *reason = systemMessage(GetLastError());
    return false;
  }
  const char* p = static_cast<const char*>(bytes);
  size_t left = size;
  bool ok = true;
  DWORD error = 0;
  while (ok && left > 0) {
    DWORD chunk = DWORD(left > 0x40000000u ? 0x40000000u : left), written = 0;
    ok = WriteFile(file, p, chunk, &written, nullptr) && written > 0;
    if (!ok) error = GetLastError();
    p += written;
    left -= written;
  }
  if (ok && !FlushFileBuffers(file)) {
    ok = false;
    error = GetLastError();
  }
  if (!CloseHandle(file) && ok) {
    ok = false;
    error = GetLastError();
  }
  // Replacing an existing file needs MOVEFILE_REPLACE_EXISTING; WRITE_THROUGH returns only once
  // the new name is on the disk. A virus scanner or the search indexer may hold the fresh file
  // for a moment: the move is tried again for about half a second before it counts as failed.
  for (int attempt = 0; ok; ++attempt) {
    if (MoveFileExA(temporary.c_str(), path.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return true;
    error = GetLastError();
    if (attempt >= 10 || (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION))
      break;
    Sleep(50);
  }
  DeleteFileA(temporary.c_str());
  if (reason) *reason = systemMessage(error ? error : ERROR_WRITE_FAULT);
  return false;
}

uint64_t monotonicMilliseconds() {
  static const uint64_t frequency = [] {
    LARGE_INTEGER f;
    return QueryPerformanceFrequency(&f) && f.QuadPart > 0 ? uint64_t(f.QuadPart) : 0;
  }();
  if (!frequency) return GetTickCount64();
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  uint64_t counter = uint64_t(c.QuadPart);
  return counter / frequency * 1000u + counter % frequency * 1000u / frequency;
}

void sleepMilliseconds(unsigned ms) { Sleep(ms); }

bool displayAvailable() { return !headlessVideoDriver(); }

void showMessageBox(const char* caption, const char* text) {
  if (displayAvailable()) {
    MessageBoxA(GetForegroundWindow(), text ? text : "", caption ? caption : "", MB_OK);
    return;
  }
  std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
}

bool openUrl(const char* address, bool maximised) {
  if (!address || !address[0]) return false;
  std::string parameters = std::string("url.dll,FileProtocolHandler ") + address;
  HINSTANCE rc = ShellExecuteA(nullptr, "open", "rundll32.exe", parameters.c_str(), nullptr,
                               maximised ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(rc) > 32;
}

int localYear() {
  time_t now = time(nullptr);
  tm local{};
  localtime_s(&local, &now);
  return local.tm_year + 1900;
}

std::string desktopLanguage() {
  // A variable set on purpose (a Unix-like shell, a test, Wine passing on its own) is honoured.
  if (const char* v = localeVariable()) return languageOfLocaleName(v);
  char code[16] = "";
  const LANGID ui = GetUserDefaultUILanguage();
  if (ui && GetLocaleInfoA(MAKELCID(ui, SORT_DEFAULT), LOCALE_SISO639LANGNAME, code, sizeof code) > 0) {
    const std::string language = languageOfLocaleName(code);
    if (!language.empty()) return language;
  }
  wchar_t name[LOCALE_NAME_MAX_LENGTH] = L"";
  if (GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH) > 0) {
    std::string narrow;
    for (const wchar_t* p = name; *p && *p < 0x80; ++p) narrow += char(*p);
    return languageOfLocaleName(narrow.c_str());
  }
  return std::string();
}

#else

// ---- Linux and other POSIX systems ------------------------------------------------------------

std::string executableFolder() {
  char buf[PATH_MAX + 1];
  ssize_t n = readlink("/proc/self/exe", buf, PATH_MAX);
  if (n <= 0) {
    char* base = SDL_GetBasePath();
    if (!base) return std::string();
    std::string s(base);
    SDL_free(base);
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    return s;
  }
  buf[n] = 0;
  char* slash = std::strrchr(buf, '/');
  if (!slash) return std::string();
  if (slash == buf) return std::string("/");
  *slash = 0;
  return std::string(buf);
}

std::string userDataRoot() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg && xdg[0] == '/') return std::string(xdg);
  const char* home = std::getenv("HOME");
  if (home && home[0]) return std::string(home) + "/.local/share";
  return std::string();
}

bool makeFolders(const std::string& path) {
  if (path.empty()) return false;
  std::string partial;
  size_t pos = 0;
  while (pos <= path.size()) {
    size_t next = path.find('/', pos);
    if (next == std::string::npos) next = path.size();
    partial = path.substr(0, next);
    if (!partial.empty() && mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST) return false;
    pos = next + 1;
  }
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isFile(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

namespace {

bool exists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

// The entry of a folder whose name equals the wanted one without regard to ASCII case.
std::string matchInFolder(const std::string& folder, const std::string& wanted) {
  DIR* dir = opendir(folder.empty() ? "/" : folder.c_str());
  if (!dir) return std::string();
  std::string found;
  while (dirent* entry = readdir(dir)) {
    if (strcasecmp(entry->d_name, wanted.c_str()) == 0) {
      found = entry->d_name;
      break;
    }
  }
  closedir(dir);
  return found;
}

}  // namespace

std::string findFile(const std::string& path) {
  if (path.empty()) return std::string();
  if (exists(path)) return path;

  // The data was named for a file system that ignores case: each component that does not
  // exist as written may match an entry that differs only in case.
  std::vector<std::string> parts;
  size_t pos = 0;
  while (pos <= path.size()) {
    size_t next = path.find('/', pos);
    if (next == std::string::npos) next = path.size();
    if (next > pos) parts.push_back(path.substr(pos, next - pos));
    pos = next + 1;
  }
  std::string current = path[0] == '/' ? std::string() : std::string(".");
  for (const std::string& part : parts) {
    std::string candidate = current + "/" + part;
    if (part == "." || part == ".." || exists(candidate)) {
      current = candidate;
      continue;
    }
    std::string match = matchInFolder(current, part);
    if (match.empty()) return std::string();
    current += "/" + match;
  }
  if (path[0] != '/' && current.rfind("./", 0) == 0) current.erase(0, 2);
  return current;
}

bool isRegularFile(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

FileRead readRegularFile(const std::string& path, void* bytes, size_t maxBytes, size_t* got,
                         uint64_t* fileSize, std::string* reason) {
  if (got) *got = 0;
  if (fileSize) *fileSize = 0;
  // Non-blocking, so that a FIFO or a device in the file's place cannot hold the open.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return FileRead::Missing;
    if (reason) *reason = std::strerror(errno);
    return FileRead::Refused;
  }
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    if (reason) *reason = S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : "not a regular file";
    close(fd);
    return FileRead::Refused;
  }
  if (fileSize) *fileSize = uint64_t(st.st_size);
  size_t total = 0;
  while (total < maxBytes) {
    const ssize_t n = read(fd, static_cast<char*>(bytes) + total, maxBytes - total);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      if (reason) *reason = std::strerror(errno);
      close(fd);
      return FileRead::Refused;
    }
    if (n == 0) break;
    total += size_t(n);
  }
  close(fd);
  if (got) *got = total;
  return FileRead::Read;
}

bool writeFileAtomically(const std::string& path, const void* bytes, size_t size, std::string* reason) {
  std::string temporary = path + ".new";
  // Non-blocking: a FIFO left in the temporary file's place refuses rather than waits.
  int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0644);
  if (fd < 0) {
    if (reason) *reason = std::strerror(errno);
    return false;
  }
  const char* p = static_cast<const char*>(bytes);
  size_t left = size;
  int error = 0;
  while (left > 0) {
    ssize_t w = write(fd, p, left);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) {
      error = w < 0 ? errno : ENOSPC;  // a write of nothing: the disk is full
      break;
    }
    p += w;
    left -= size_t(w);
  }
  if (!error && fsync(fd) != 0) error = errno;
  if (close(fd) != 0 && !error) error = errno;
  if (!error && rename(temporary.c_str(), path.c_str()) != 0) error = errno;
  if (error) {
    unlink(temporary.c_str());
    if (reason) *reason = std::strerror(error);  // the first failure is the reason
    return false;
  }
  // The new name itself must reach the disk too.
  size_t cut = path.find_last_of('/');
  std::string folder = cut == std::string::npos ? std::string(".") : path.substr(0, cut);
  int dir = open(folder.empty() ? "/" : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
  return true;
}

uint64_t monotonicMilliseconds() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return uint64_t(ts.tv_sec) * 1000u + uint64_t(ts.tv_nsec) / 1000000u;
}

void sleepMilliseconds(unsigned ms) {
  timespec ts{time_t(ms / 1000), long(ms % 1000) * 1000000L};
  while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
  }
}

bool displayAvailable() {
  if (headlessVideoDriver()) return false;
  const char* x = std::getenv("DISPLAY");
  const char* w = std::getenv("WAYLAND_DISPLAY");
  return (x && x[0]) || (w && w[0]);
}

void showMessageBox(const char* caption, const char* text) {
  if (displayAvailable() &&
      SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption, text, nullptr) == 0)
    return;
  std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
}

bool openUrl(const char* address, bool /*maximised: the browser decides its own size*/) {
  if (!address || !address[0]) return false;
  pid_t pid;
  char* argv[] = {const_cast<char*>("xdg-open"), const_cast<char*>(address), nullptr};
  if (posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) != 0) return false;
  // xdg-open hands the address to the browser and returns at once; reap it so no zombie stays.
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

int localYear() {
  time_t now = time(nullptr);
  tm local;
  localtime_r(&now, &local);
  return local.tm_year + 1900;
}

std::string desktopLanguage() {
  const char* v = localeVariable();
  return v ? languageOfLocaleName(v) : std::string();
}

#endif

}  // namespace platform
