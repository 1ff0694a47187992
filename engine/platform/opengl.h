// The system's OpenGL 1.x header with the constants of later versions that the renderers use
// (GL_BGRA, GL_CLAMP_TO_EDGE): Windows' own gl.h stops at version 1.1, and its glext.h adds
// them (Mesa's gl.h includes glext.h itself).
#pragma once

#if defined(_WIN32) && !defined(APIENTRY)
// Windows' gl.h needs only these two names; without them it brings in all of windows.h, whose
// macros would rename the engine's MessageBox and CreateWindow in every renderer file.
#define APIENTRY __stdcall
#define WINGDIAPI __declspec(dllimport)
#include <GL/gl.h>
#include <GL/glext.h>
#undef APIENTRY
#undef APIENTRYP
#undef WINGDIAPI
#else
#include <GL/gl.h>
#include <GL/glext.h>
#endif

// The calling convention of OpenGL functions fetched at run time (frame buffer objects).
#if defined(_WIN32)
#define BRAWNMOOR_GL_CALL __stdcall
#else
#define BRAWNMOOR_GL_CALL
#endif
