#pragma once
// The two file-system records a scan record starts from.  They belong to the
// folder walk and the file-details reader; until those land in the foundation
// they are declared here in the same shape (fields and order), so the scan
// record can hold them.

#include <QString>

// One file found by a folder walk.
struct FolderListEntry {
    QString Folder;    // the folder that holds the file, as walked
    QString FileName;  // the file's name with its extension
};

// A file's attribute letters and its three times as display text; all empty
// when the file was not found.
struct FileDetails {
    QString Attributes;
    QString Created;
    QString Modified;
    QString Accessed;
};
