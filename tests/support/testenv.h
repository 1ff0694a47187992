// Environment variables for the tests on every system the game builds for.
#pragma once

#include <cstdlib>
#include <string>

// The variable that names the root of the per-user folder.
#if defined(_WIN32)
inline constexpr const char* kUserDataRootVariable = "APPDATA";
#else
inline constexpr const char* kUserDataRootVariable = "XDG_DATA_HOME";
#endif

inline void setEnv(const char* name, const char* value, bool overwrite = true) {
#if defined(_WIN32)
  if (!overwrite && std::getenv(name)) return;
  _putenv_s(name, value);
#else
  setenv(name, value, overwrite ? 1 : 0);
#endif
}

inline void unsetEnv(const char* name) {
#if defined(_WIN32)
  _putenv_s(name, "");
#else
  unsetenv(name);
#endif
}

// A path written with '/' in the system's own form, as the game's files are named.
inline std::string systemPath(std::string path) {
#if defined(_WIN32)
  for (char& c : path)
    if (c == '/') c = '\\';
#endif
  return path;
}
