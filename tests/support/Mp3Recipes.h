#pragma once
// Small MP3 files made in memory: real MPEG-1 Layer III frame headers (128
// kbit/s, 44.1 kHz, silent frames) with hand-built ID3v1 and ID3v2.3 tags,
// independent of the program's own tag writers.  For real LAME audio see
// LameAudio() in support/Audio.h.

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

struct Mp3Recipe {
    // ID3v1 (written when `v1` is set).
    bool v1 = false;
    QString v1Title, v1Artist, v1Album, v1Year, v1Comment;
    int v1Track = 0;
    int v1Genre = 255;
    // ID3v2.3 text frames by identifier (written when not empty), e.g.
    // {"TIT2", "Title"}; "COMM" becomes a comment frame.
    std::vector<std::pair<QByteArray, QString>> v2;
    int frames = 12;
};

QByteArray MakeMp3(const Mp3Recipe& recipe);
