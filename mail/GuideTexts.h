// The user's guide: a short text that tells how Pellaro's new-mail count stays right when
// the user reads mail elsewhere. One English and one Hungarian version, both 8-bit text in
// the Windows ANSI code page (the Hungarian one uses only accented letters whose bytes are
// the same in the Central European and the Western code pages). Each is stored in two parts
// and joined when asked for; the English text is also a key of the language dictionary,
// which maps it to the Hungarian text.
#pragma once

#include "foundation/DString.h"

DString englishGuideText();
DString hungarianGuideText();
