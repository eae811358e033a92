#pragma once
// The settings of the coordinator's two option windows: the advanced options
// dialog and the Mass Tagging Override Tool.  One record per window, its
// fields named after the window's controls, with its reader and writer over
// the settings store; each record starts at the defaults a new user sees.
// The advanced dialog's entries are the ones GetFileNameTagCoordinatorAdvOptions
// (below) reads into the coordinator's options: their keys and defaults are
// written once, in CoordinatorDialogSettings.cpp, for both.
//
// A dialog uses its pair as every window does (options/WindowSettings.h):
// start a record from the controls, ReadThenShow it on load, and on OK (the
// advanced dialog) or unload (the override tool) take the record from the
// controls and Write it.  For the override tool use the control binding of
// options/ui/DialogSettingsUi.h, which sets the values before the field
// checks so that each check ends as stored.
//
// Kinds of entry: truth ("True"/"False"; other text is error 13), check
// state ("1"/"0", read by number: any number but 0 is ticked), list position
// (a number), colour (a signed 32-bit number in decimal; "&H" hexadecimal
// read as well), text (as it is).  An error ends the reading or writing at
// its entry and passes up the trail with the procedure's name; only a
// refused value does not end the reading: it gets its default back, the
// reading goes on to the end and then passes the first refusal up
// (ReadToTheEnd, foundation/SettingsStore.h).

#include "foundation/OptionRecords.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

// DialogFileNameTagCoordAdvOptions.  Arrays by name: element 0 the Artist,
// element 1 the Title.  Sections "FileNameTagCoordinator", "CSWFrom",
// "CSWTo" and "SpecialWordsFormat".
struct FileNameTagCoordAdvSettings {
    // The four case options of a name form one group: reading a True one
    // clears the other three of that name, as clicking it would.
    // Keys "ArtistUpperCase", "ArtistLowerCase", "ArtistCapitalise",
    // "ArtistDontChange", "ArtistRemoveUnder", then the same with "Title".
    std::array<bool, 2> OptionAllUppercase;
    std::array<bool, 2> OptionAllLowercase;
    std::array<bool, 2> OptionCapitaliseEachWord;
    std::array<bool, 2> OptionDontChange;
    std::array<bool, 2> CheckRemoveUnderscores;
    // Sections "CSWFrom" and "CSWTo", keys "0" to "13": pairs 0 to 6 for the
    // Artist, 7 to 13 for the Title.
    std::array<QString, 14> TextChangeSpecialWordFrom;
    std::array<QString, 14> TextChangeSpecialWordTo;
    // Section "SpecialWordsFormat": list L = 3 x name + (0 upper case,
    // 1 lower case, 2 capitalised); key "L" its count, key "L" followed by
    // i (no separator) its entry i from 1.  Reading appends to the lists;
    // a count above the entries stored adds empty entries.
    std::array<QStringList, 6> ListSpecialWordsFormat;
    bool CheckTheAtEnd;            // "TheAtEnd"
    bool CheckRemoveDoubleSpaces;  // "RemoveDoubleSpaces"
    bool CheckRigorousTrackNum;    // "RigorousTrackNum"
    // Colour values of the actions "Change", "Change ??", "No Change",
    // "Delete": "ColourChange", "ColourChangeQ", "ColourNoChange",
    // "ColourDelete" (defaults window text, blue, grey, dark red).
    std::array<int32_t, 4> PictureColour;
    QString TextTrackNumLimit;  // "TrackNumLimit", the text as it is

    FileNameTagCoordAdvSettings();  // the defaults

    // The lists get what is stored once, however often the reading starts
    // again after a refused value.
    void Read();
    void Write() const;
    bool operator==(const FileNameTagCoordAdvSettings&) const = default;
};

// DialogMassTaggingOverrideTool, section "MassTaggingOverrideTool".  Each
// value key is "ID3v1" or "ID3v2" and the field ("ID3v2OrigArtist"), each
// field check key "Override" and the value key ("OverrideID3v2OrigArtist");
// the tag checks are "OverrideID3v1Tag" and "OverrideID3v2Tag".  Values
// default to "", checks to unticked, the ID3v1 genre to position 0 (the
// empty first entry).  The ID3v1 track, its check and the two Remove checks
// are not stored.
struct MassTaggingOverrideToolSettings {
    bool CheckID3v1Tag = false;
    QString TextID3v1Artist, TextID3v1Title, TextID3v1Album, TextID3v1Year;
    // Position in the genre box: 0 the empty entry, then the genres in
    // identifier order (-1 none).  A position beyond the list is refused
    // with error 380 when read.
    int ComboID3v1Genre = 0;
    QString TextID3v1Comment;
    bool CheckID3v1Artist = false, CheckID3v1Title = false, CheckID3v1Album = false, CheckID3v1Year = false,
         CheckID3v1Genre = false, CheckID3v1Comment = false;

    bool CheckID3v2Tag = false;
    QString TextID3v2Track, TextID3v2Artist, TextID3v2Title, TextID3v2Album, TextID3v2Year;
    QString ComboID3v2Genre;  // the box's text
    QString TextID3v2Comment, TextID3v2Composer, TextID3v2OrigArtist, TextID3v2Copyright, TextID3v2URL,
        TextID3v2Encodedby;
    bool CheckID3v2Track = false, CheckID3v2Artist = false, CheckID3v2Title = false, CheckID3v2Album = false,
         CheckID3v2Year = false, CheckID3v2Genre = false, CheckID3v2Comment = false, CheckID3v2Composer = false,
         CheckID3v2OrigArtist = false, CheckID3v2Copyright = false, CheckID3v2URL = false, CheckID3v2Encodedby = false;

    // Reads "OverrideID3v1Tag", the ID3v1 values, their checks, the ID3v2
    // values, "OverrideID3v2Tag", the ID3v2 checks.
    void Read();
    // Writes "OverrideID3v1Tag", the ID3v1 values, their checks,
    // "OverrideID3v2Tag", the ID3v2 values, their checks.
    void Write() const;
    bool operator==(const MassTaggingOverrideToolSettings&) const = default;
};

// The program's reading of the advanced options into its record: the case
// options, the remove-underscore checks and the checks after the special
// words as Booleans, the colours as 32-bit numbers ("&H" hexadecimal too),
// the track limit and the special word counts as numbers.  A special word
// list whose count is 0 or less keeps its old words.  Each value lands in its
// field as soon as it is read; an error stops the reading and passes up the
// trail with "GetFileNameTagCoordinatorAdvOptions".
void GetFileNameTagCoordinatorAdvOptions(CoordinatorAdvOptions& record = Options().CoordinatorAdv);
