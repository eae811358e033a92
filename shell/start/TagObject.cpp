#include "shell/start/TagObject.h"

#include "foundation/Errors.h"
#include "scanning/tagobject/QuillmarkLoader.h"

ID3v2TagObject gobjID3v2Tag;

void CreateTagObject() {
    WithTrail(QStringLiteral("InitialiseQuillmarkClass"), [] { gobjID3v2Tag = CreateQuillmarkTagObject(); });
}

void ReleaseTagObject() { gobjID3v2Tag.reset(); }
