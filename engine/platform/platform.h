// The platform layer: the only place where the engine meets the operating system and SDL.
// Everything above it (the engine's facilities, then the game) reaches the system through here.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Folder of the running executable, without a trailing separator ("" if unknown).
std::string executableFolder();

// The per-user data root: $XDG_DATA_HOME, else $HOME/.local/share ("" if neither is known).
std::string userDataRoot();

// Creates a folder and its missing parents; an existing folder is no error.
bool makeFolders(const std::string& path);

// Raw monotonic clock in milliseconds.
uint64_t monotonicMilliseconds();

// Sleeps the calling thread.
void sleepMilliseconds(unsigned ms);

// True when a person could see a desktop message box: a display is set and SDL is not
// told to run offscreen or without video.
bool displayAvailable();

// A modal message box with an OK button; with no display the caption and text go to stderr.
void showMessageBox(const char* caption, const char* text);

// Opens an address with the desktop's handler (xdg-open); false if it could not be started.
bool openUrl(const char* address);

// Current local year.
int localYear();

}  // namespace platform
