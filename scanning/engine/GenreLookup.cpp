#include "scanning/engine/GenreLookup.h"

#include "foundation/Genres.h"

QString ScanGenreName(uint8_t id) { return GetGenreFromID(id); }

uint8_t ScanGenreID(const QString& name) { return GetIDFromGenre(name); }
