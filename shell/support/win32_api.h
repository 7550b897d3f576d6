#pragma once

// The one way the shell includes the Windows headers (shell/win32, and
// shell/text's converter on Windows): the Unicode API, without the rarely
// used parts or the min/max macros.

#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif

// windows.h first: the other headers build on it.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on
