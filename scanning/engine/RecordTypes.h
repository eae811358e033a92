#pragma once
// The two file-system records a scan record starts from: the folder walk's
// entry and the file-details reader's record, both from the foundation.

#include "foundation/FileDetails.h"
#include "foundation/FileUtils.h"
