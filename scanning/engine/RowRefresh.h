#pragma once
// Bringing one results row up to date from its file, after the File
// Information window has shown (and perhaps rewritten) it.

class ScanResultsModel;

// Reads the row's file again (ID3v1, ID3v2, MPEG header, details) and
// rewrites cells 2 to 39; the file name, the folder and the check mark stay.
// The include options and the scan rules are not applied.  When a tag read
// fails (its warning was shown) the row keeps all its cells and the result is
// false.  `row` is the model's row; other failures go up the error trail with
// "UpdateScanResult" and the list's 1-based row number.
bool UpdateScanResult(ScanResultsModel& results, int row);
