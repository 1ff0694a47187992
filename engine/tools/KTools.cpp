#include "tools/KTools.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include "platform/platform.h"

namespace KTools {
namespace {

char exeFolder[1024];
bool exeOverridden = false;  // kept by InitPaths, which every window creation calls
char dataPath[1024];
char userFolder[1024];
char programFolderName[256];
char programFolder[1300];

MessageBoxHandler messageBoxHandler = nullptr;
MessagePump messagePump = nullptr;

ClockSource clockSource = nullptr;
uint64_t clockLast = 0;
bool clockStarted = false;  // whether clockLast holds a reading yet
uint32_t clockTotal = 0;

uint64_t rawMilliseconds() {
  return clockSource ? clockSource() : platform::monotonicMilliseconds();
}

void copyText(char* dest, size_t size, const char* src) {
  std::snprintf(dest, size, "%s", src);
}

bool isSeparator(char c) { return c == '/' || c == '\\'; }

}  // namespace

int InitPaths() {
  if (!exeOverridden) copyText(exeFolder, sizeof exeFolder, platform::executableFolder().c_str());
  InitClock();
  return GetYear();
}

const char* GetExeFolder() {
  if (!exeFolder[0]) copyText(exeFolder, sizeof exeFolder, platform::executableFolder().c_str());
  return exeFolder;
}

void OverrideExeFolder(const char* folder) {
  exeOverridden = folder != nullptr;
  copyText(exeFolder, sizeof exeFolder, folder ? folder : "");
  size_t n = std::strlen(exeFolder);
  while (n > 1 && isSeparator(exeFolder[n - 1])) exeFolder[--n] = 0;
}

const char* GetDataPath(const char* name) {
  const char* folder = GetExeFolder();
  std::memset(dataPath, 0, sizeof dataPath);
  if (!name) name = "";
  if (name[0] == '/' || name[0] == ':' || name[0] == '\\') name++;
  bool absolute = isSeparator(name[0]) || (name[0] && name[1] == ':');
  if (absolute)
    copyText(dataPath, sizeof dataPath, name);
  else if (std::snprintf(dataPath, sizeof dataPath, "%s/%s", folder, name) >= int(sizeof dataPath))
    dataPath[sizeof dataPath - 1] = 0;  // a name too long for the buffer is cut
  ConvertSlashes(dataPath);
  return dataPath;
}

const char* GetUserDataFolder() {
  std::string root = platform::userDataRoot();
  if (!root.empty() && platform::makeFolders(root)) {
    copyText(userFolder, sizeof userFolder, root.c_str());
  } else {
    copyText(userFolder, sizeof userFolder, GetDataPath(""));
  }
  return userFolder;
}

void SetProgramFolderName(const char* name) { copyText(programFolderName, sizeof programFolderName, name ? name : ""); }

const char* GetProgramUserFolder() {
  std::string folder = GetUserDataFolder();
  if (programFolderName[0]) {
    while (folder.size() > 1 && isSeparator(folder.back())) folder.pop_back();
    folder += platform::kPathSeparator;
    folder += programFolderName;
    if (!platform::makeFolders(folder)) folder.clear();
  }
  copyText(programFolder, sizeof programFolder, folder.c_str());
  ConvertSlashes(programFolder);
  return programFolder;
}

void ConvertSlashes(char* text) {
  if (!text) return;
  for (; *text; ++text)
    if (isSeparator(*text)) *text = platform::kPathSeparator;
}

bool MakeFolder(const char* path) { return path && platform::makeFolders(path); }

namespace {
std::string lastFileError;
}  // namespace

bool WriteFileAtomically(const char* path, const void* bytes, size_t size) {
  lastFileError.clear();
  if (!path || !path[0]) {
    lastFileError = "no file name";
    return false;
  }
  return platform::writeFileAtomically(path, bytes, size, &lastFileError);
}

FileRead ReadRegularFile(const char* path, void* bytes, size_t maxBytes, size_t* got, uint64_t* fileSize) {
  lastFileError.clear();
  if (got) *got = 0;
  if (fileSize) *fileSize = 0;
  if (!path || !path[0]) return FileRead::Missing;
  switch (platform::readRegularFile(path, bytes, maxBytes, got, fileSize, &lastFileError)) {
    case platform::FileRead::Read: return FileRead::Read;
    case platform::FileRead::Missing: return FileRead::Missing;
    default: return FileRead::Refused;
  }
}

bool IsRegularFile(const char* path) { return path && path[0] && platform::isRegularFile(path); }

const char* LastFileError() { return lastFileError.c_str(); }

void MessageBox(const char* caption, const char* text) {
  if (messageBoxHandler)
    messageBoxHandler(caption ? caption : "", text ? text : "");
  else
    platform::showMessageBox(caption, text);
}

void SetMessageBoxHandler(MessageBoxHandler handler) { messageBoxHandler = handler; }

namespace {

// Files already reported in this run, by their path with '/' separators and in lower case
// (the data files are found without regard to case).
std::set<std::string>& reportedFiles() {
  static std::set<std::string> files;
  return files;
}

std::string reportKey(const char* path) {
  std::string key = path ? path : "";
  for (char& c : key) c = c == '\\' ? '/' : char(std::tolower(static_cast<unsigned char>(c)));
  return key;
}

}  // namespace

void ReportFileProblem(const char* caption, const char* path, const char* what) {
  if (!reportedFiles().insert(reportKey(path)).second) return;
  std::string text = std::string(path ? path : "") + ": " + (what ? what : "");
  MessageBox(caption, text.c_str());
}

void NoteFileReported(const char* path) { reportedFiles().insert(reportKey(path)); }

void ForgetReportedFiles() { reportedFiles().clear(); }

bool OpenUrl(const char* address, bool maximised) {
  return platform::openUrl(address, maximised);
}

int GetYear() { return platform::localYear(); }

const char* GetDesktopLanguage() {
  static char code[8];
  copyText(code, sizeof code, platform::desktopLanguage().c_str());
  return code;
}

void InitClock() {
  // Only the reading is taken anew: the total runs on, so the clock never goes back when a
  // window opens (each window creation initialises it) and times kept before stay valid.
  clockLast = rawMilliseconds();
  clockStarted = true;
}

uint32_t GetMilliseconds() {
  uint64_t raw = rawMilliseconds();
  if (!clockStarted) {  // read before any initialisation: counts from here
    clockLast = raw;
    clockStarted = true;
  }
  clockTotal += uint32_t(raw - clockLast);
  clockLast = raw;
  return clockTotal;
}

void ResyncClock() { InitClock(); }

void SetClockSource(ClockSource source) {
  clockSource = source;
  InitClock();
}

void SetMessagePump(MessagePump pump) { messagePump = pump; }

void WaitMs(uint32_t milliseconds, bool pumpMessages) {
  uint32_t start = GetMilliseconds();
  while (uint32_t(GetMilliseconds() - start) < milliseconds) {
    if (pumpMessages && messagePump) messagePump();
    // Yield the core between readings: the wait is measured on the engine clock, but a
    // waiting game must not keep a processor busy.
    if (!clockSource) platform::sleepMilliseconds(1);
  }
}

}  // namespace KTools
