// The calling convention of the disc's libraries: the standard call of
// 32-bit Windows; elsewhere (64-bit Windows, the host build) there is only
// one. Every entry-point type of a disc library is declared with it.
#pragma once

#if defined(_WIN32)
#define PIKKO_STDCALL __stdcall
#else
#define PIKKO_STDCALL
#endif
