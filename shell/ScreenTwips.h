#pragma once
// Twips and pixels: the conversions are those of foundation/Twips.h (one
// ratio for the whole program, read at start-up).  Kept as the shell's name
// for them.
#include "foundation/Twips.h"
