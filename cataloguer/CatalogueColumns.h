#pragma once
// The catalogue's columns: the 27 fixed column names that the option records
// list per output type, and the choice between the ID3v1 and the ID3v2 value
// of a tag field.  Names are compared exactly, capitals included.  The text
// of a cell is Catalogue::cell (cataloguer/Catalogue.h).

#include <QString>
#include <QStringList>
#include <vector>

// The tag whose value a tag column shows when both are set.
enum class TagPreference { ID3v1, ID3v2 };

// The columns in the order of their names' table; Unknown stands for every
// other name.
enum class CatalogueColumn {
    Album,
    Artist,
    Bitrate,
    Comment,
    Composer,
    Copyright,
    Copyrighted,
    CRCs,
    Emphasis,
    EncodedBy,
    FileSize,
    FileName,
    Frames,
    Frequency,
    Genre,
    LayerVersion,
    Length,
    Mode,
    MPEGVersion,
    OrigArtist,
    Original,
    Path,
    Private,
    Title,
    Track,
    URL,
    Year,
    Unknown,
};

// "Album", "Artist", "Bitrate", ... "Year": the 27 names in the order above.
const QStringList& CatalogueColumnNames();
// The column a name stands for (exact comparison); Unknown for any other text.
CatalogueColumn CatalogueColumnFromName(const QString& name);

// The preferred value when it is not empty, else the other one.
QString ChooseID3Field(const QString& id3v1Value, const QString& id3v2Value, TagPreference preference);

// The column names resolved once, for writers that make many cells: the
// first `count` names (a missing one is Unknown).
std::vector<CatalogueColumn> CatalogueColumnsFromNames(const std::vector<QString>& names, int count);
