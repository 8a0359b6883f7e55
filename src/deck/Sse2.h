// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the SSE2 text paths are built: they move four 32-bit characters of a wxString at once.
#ifndef MNEMORA_DECK_SSE2_H
#define MNEMORA_DECK_SSE2_H

#include <cwchar>

#if defined(__SSE2__) && WCHAR_MAX > 0xFFFF
#include <emmintrin.h>
#define MNEMORA_SSE2 1
#else
#define MNEMORA_SSE2 0
#endif

#endif
