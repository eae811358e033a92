#pragma once
// The ID3v1 genre table: index = the genre byte of an ID3v1 tag (0..147);
// 255 means "no genre" and 148..254 have no name.  ID3v2 genres are plain
// text and do not pass through here.

#include <QString>
#include <QStringList>

#include <cstdint>

constexpr int kGenreCount = 148;
constexpr uint8_t kNoGenre = 255;

// The table, filled by InitialiseArrays() and never changed afterwards.
extern QStringList gstrGenres;

// Fills gstrGenres and gives the two rule arrays of the option records their
// single empty element, discarding what they held.  The start procedure calls
// it once, before the option readers fill the rule arrays.  (The open
// playlist starts empty without it: playlists/PlaylistEntries.h.)
void InitialiseArrays();

// The index of `name` compared ignoring letter case (not trimmed); 255 when
// empty or not in the table.
uint8_t GetIDFromGenre(const QString& name);
// The table's name for 0..147; the empty text for 148..255.
QString GetGenreFromID(uint8_t genre);
// The items a genre combo box gets: an empty item first with `addBlank`, then
// every name in index order.
QStringList GenreComboItems(bool addBlank);
