#pragma once
// How other windows hand files to the Encoder Decoder's list: the window
// offers this interface; a caller finds the window through the window
// registry and asks with dynamic_cast, and skips quietly when the window
// (or the interface) is not there.  Each path becomes one ticked row.

#include <QStringList>

class IEncoderFileList {
public:
    virtual ~IEncoderFileList() = default;
    virtual void AddFilesToEncoderList(const QStringList& paths) = 0;
};
