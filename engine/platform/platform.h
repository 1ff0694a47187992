// The platform layer: the only place where the engine meets the operating system and SDL.
// Everything above it (the engine's facilities, then the game) reaches the system through here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// The system's own separator in file names; the other one is turned into it.
#if defined(_WIN32)
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// Folder of the running executable, without a trailing separator ("" if unknown).
std::string executableFolder();

// The per-user data root: on Windows the roaming application-data folder (%APPDATA%, else the
// shell's known folder); elsewhere $XDG_DATA_HOME, else $HOME/.local/share ("" if unknown).
std::string userDataRoot();

// Creates a folder and its missing parents; an existing folder is no error.
bool makeFolders(const std::string& path);

// True when a plain file (not a folder) of that name exists.
bool isFile(const std::string& path);
// True only for a regular file: not a folder, a FIFO, a device or a socket.
bool isRegularFile(const std::string& path);

// What reading a file found: its bytes, nothing at that name, or something that is not a
// regular file or cannot be read (the system's reason in `reason`).
enum class FileRead { Read, Missing, Refused };
// Reads at most maxBytes of a regular file into bytes (how many in *got, the file's whole
// length in *fileSize). The open never blocks: a FIFO or a device in the file's place is refused.
FileRead readRegularFile(const std::string& path, void* bytes, size_t maxBytes, size_t* got,
                         uint64_t* fileSize, std::string* reason = nullptr);

// The name under which a file can be opened: the name itself when it exists; where the file
// system tells case apart, each missing component may match an entry that differs only in
// case ("" when nothing matches).
std::string findFile(const std::string& path);

// Writes the bytes to a temporary file beside the target, forces them to the disk and puts
// the file in place of the target in one step, so that a crash leaves either the old or the
// new file, never a torn one. False (and the target untouched) on any failure, with the system's
// words for the first failure in `reason`.
bool writeFileAtomically(const std::string& path, const void* bytes, size_t size,
                         std::string* reason = nullptr);

// Raw monotonic clock in milliseconds.
uint64_t monotonicMilliseconds();

// Sleeps the calling thread.
void sleepMilliseconds(unsigned ms);

// True when a person could see a desktop message box: SDL is not told to run offscreen or
// without video, and (outside Windows) a display is set.
bool displayAvailable();

// A modal message box with an OK button, owned by the foreground window; with no display the
// caption and text go to stderr.
void showMessageBox(const char* caption, const char* text);

// Opens an address in the user's browser (Windows: the shell's URL handler, shown maximised
// or normal; elsewhere the desktop's handler, xdg-open); false if it could not be started.
bool openUrl(const char* address, bool maximised = false);

// Current local year.
int localYear();

// The desktop's language as a lower-case ISO 639 code ("de"; three letters only for a language
// that has no two-letter code), "" when it names none. The locale's variables come first: LC_ALL,
// else LC_MESSAGES, else LANG ("de_AT.UTF-8" gives "de"; an empty variable does not count, and
// "C" or "POSIX" names no language). On Windows, where none of them is set, the user's display
// language (GetUserDefaultUILanguage), else the user's locale (GetUserDefaultLocaleName).
std::string desktopLanguage();
// The language code at the start of a locale name ("de_AT.UTF-8", "de-AT", "zh-Hans-CN"); "" for
// a name that starts with none ("C", "POSIX", "").
std::string languageOfLocaleName(const char* name);

}  // namespace platform
