#pragma once
// Moved to foundation/: this path stays for code that still includes it.
#include "foundation/NumberText.h"
