// The pixel arithmetic of the skins is written in double precision, and
// the glow kernel in single precision, and the results are truncated: the
// exact value matters, not just the look. The shipped 32-bit build would
// otherwise keep intermediates in the x87 unit's extended precision and
// truncate some values differently from the 64-bit build the tests run on,
// so the few functions that do this arithmetic use SSE2 there. Every
// processor a board of this disc takes has SSE2.
#pragma once

#if defined(__GNUC__) && defined(__i386__)
#define PIKKO_EXACT_FLOAT __attribute__((target("sse2,fpmath=sse")))
#else
#define PIKKO_EXACT_FLOAT
#endif
