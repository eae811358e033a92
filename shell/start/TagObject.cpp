#include "shell/start/TagObject.h"

#include "foundation/Errors.h"
#include "scanning/tagobject/QuillmarkLoader.h"

// gobjID3v2Tag itself is defined with the ID3v2 access (scanning/engine/ID3v2TagInfo.cpp).

void CreateTagObject() {
    WithTrail(QStringLiteral("InitialiseQuillmarkClass"), [] { gobjID3v2Tag = CreateQuillmarkTagObject(); });
}

void ReleaseTagObject() { gobjID3v2Tag.reset(); }
