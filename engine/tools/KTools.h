// The engine's small services: paths beside the executable, the per-user folder, the
// millisecond clock, waiting, the year, message boxes, web addresses and byte order.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace KTools {

// Records the executable's folder (unless it was overridden), initialises the clock and
// returns the current year.
int InitPaths();

// The executable's folder without a trailing separator.
const char* GetExeFolder();

// Resolves a data file name against the executable's folder. Separators become the system's
// own ('\\' on Windows, '/' elsewhere); one leading separator or ':' is skipped; a name that
// still starts with a separator (or has ':' as its second character) is absolute and kept.
// The result lives in a static buffer that the next call overwrites.
const char* GetDataPath(const char* name);

// The per-user data folder (Windows: the application-data folder, %APPDATA%; elsewhere
// $XDG_DATA_HOME or ~/.local/share), created if missing; the executable's folder followed by a
// separator when the system gives none.
const char* GetUserDataFolder();
// The program's own folder inside the per-user data folder, "<GetUserDataFolder()>/<name>",
// named once by the program (the game calls it "Brawnmoor").
void SetProgramFolderName(const char* name);
// That folder, created if missing; "" when it cannot be created. A program that named none
// gets GetUserDataFolder(). The result lives in a static buffer.
const char* GetProgramUserFolder();

// Turns every separator of the text into this platform's one, in place.
void ConvertSlashes(char* text);

// Creates a folder and its missing parents; an existing folder is no error.
bool MakeFolder(const char* path);

// Replaces a file with the bytes in one step (a temporary file beside it, forced to the disk,
// then renamed over it): a crash leaves the old file or the new one, never a torn one.
bool WriteFileAtomically(const char* path, const void* bytes, size_t size);

// What reading a file found: its bytes, nothing at that name, or something that is not a regular
// file or cannot be read.
enum class FileRead { Read, Missing, Refused };
// Reads at most maxBytes of a regular file (how many in *got, the file's whole length in
// *fileSize). The open never blocks: a FIFO or a device in the file's place is refused.
FileRead ReadRegularFile(const char* path, void* bytes, size_t maxBytes, size_t* got, uint64_t* fileSize);
// True only for a regular file (not a folder, a FIFO or a device).
bool IsRegularFile(const char* path);
// The system's words for the last failure of WriteFileAtomically or ReadRegularFile.
const char* LastFileError();

// A modal message box with an OK button; with no display it writes to standard error.
void MessageBox(const char* caption, const char* text);
// Lets tests and tools see message boxes instead of showing them (null restores the default).
using MessageBoxHandler = void (*)(const char* caption, const char* text);
void SetMessageBoxHandler(MessageBoxHandler handler);

// A data file that cannot be used: the message box "<path>: <what>" with the caption (standard
// error without a display), at most once for each file in a run, so that a picture or a
// sound loaded again and again does not bring its box again and again. A file already named
// by NoteFileReported (the start-up check's one message) brings no box at all.
void ReportFileProblem(const char* caption, const char* path, const char* what);
// Marks a file as already reported to the player.
void NoteFileReported(const char* path);
// Forgets every file reported (tests).
void ForgetReportedFiles();

// Asks the desktop to open a web address in the user's browser (maximised where the system
// lets the caller choose).
bool OpenUrl(const char* address, bool maximised);

// The year of the local time.
int GetYear();

// The desktop's language, a lower-case ISO 639 code ("de", "fr"), "" when it names none: the
// locale's variables (LC_ALL, else LC_MESSAGES, else LANG), and on Windows, where none of them
// is set, the user's display language. The result lives in a static buffer.
const char* GetDesktopLanguage();

// The engine clock: milliseconds counted from its first reading, less every interval
// skipped by ResyncClock. InitClock takes a new raw reading to count from and keeps the
// running total, so the clock never goes back (it wraps at 2^32).
void InitClock();
uint32_t GetMilliseconds();
void ResyncClock();
// Replaces the raw millisecond source (tests drive the clock with it); null restores the
// monotonic system clock. The running total goes on from the new source's first reading.
using ClockSource = uint64_t (*)();
void SetClockSource(ClockSource source);

// Waits that many milliseconds of the engine clock; with pumping, each turn dispatches one
// pending window message through the pump that the window installs.
void WaitMs(uint32_t milliseconds, bool pumpMessages);
using MessagePump = void (*)();
void SetMessagePump(MessagePump pump);

// Resolves data files against another folder than the executable's (an installed game, tests,
// tools) until called again; nullptr goes back to the executable's folder.
void OverrideExeFolder(const char* folder);

// Byte order of the engine's binary files (little-endian) to the machine's and back.
inline uint32_t FileToHost32(uint32_t v) {
  if constexpr (std::endian::native == std::endian::little) return v;
  return (v >> 24) | ((v >> 8) & 0xFF00u) | ((v << 8) & 0xFF0000u) | (v << 24);
}
inline uint16_t FileToHost16(uint16_t v) {
  if constexpr (std::endian::native == std::endian::little) return v;
  return uint16_t((v >> 8) | (v << 8));
}
inline uint32_t HostToFile32(uint32_t v) { return FileToHost32(v); }
inline uint16_t HostToFile16(uint16_t v) { return FileToHost16(v); }

}  // namespace KTools
