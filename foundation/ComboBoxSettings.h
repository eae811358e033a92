#pragma once
// The remembered entries of an editable combo box, kept in the settings
// section named after the box (its objectName).  The record knows nothing of
// widgets; options/ui/ControlSettingsUi.h moves it between record and box.
// Read and Write go entry by entry and stop at the first that fails: the
// entries done so far keep their new values, and the error passes up the
// trail with the procedure's name and arguments.

#include <QString>
#include <QStringList>

// An editable combo box's history: keys "1" to the limit hold the last
// entries of its list, "1" the last one; "Text" holds the edit text.
struct ComboBoxSettings {
    QStringList List;  // the box's list, first entry first
    QString Text;      // its edit text

    // Appends the stored entries, oldest first, to List, leaving out empty
    // ones and any entry List already holds (a designed entry or one stored
    // twice comes back once); then sets Text ("Text", else `defaultText`).
    void Read(const QString& comboName, int limit, const QString& defaultText);
    // When `typed` (the text was typed, not picked from the list) and Text
    // is not empty: appends Text to List unless List holds it already, then
    // stores List's last `limit` entries.  Always stores "Text".  Otherwise
    // the stored entries stay as they were.
    void Write(const QString& comboName, int limit, bool typed);
    bool operator==(const ComboBoxSettings&) const = default;
};
