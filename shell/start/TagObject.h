#pragma once
// The program's one tag object: created by the start procedure through the
// tag library's loader, kept for the whole run, released at the end.  When
// the library cannot be loaded the handle stays empty and every use of it is
// error 91.

#include "scanning/tagobject/ID3v2TagObject.h"

extern ID3v2TagObject gobjID3v2Tag;

// Creates the tag object; a failure is raised with "InitialiseQuillmarkClass"
// on its trail and leaves the handle empty.
void CreateTagObject();
// Releases it (nothing when there is none).
void ReleaseTagObject();
