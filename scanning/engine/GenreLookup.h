#pragma once
// The ID3v1 genre names as the scan engine shows and reads them.  The program's
// genre table lives in the foundation; these two functions are the only place
// the engine reaches it, so swapping the source touches this file alone.

#include <QString>
#include <cstdint>

// The name of genre byte `id`; empty for 148..255 (255 = no genre).
QString ScanGenreName(uint8_t id);
// The byte of a genre name, compared ignoring letter case, not trimmed; 255 when
// the name is empty or unknown.
uint8_t ScanGenreID(const QString& name);
