#pragma once
// Other programs that the menus start: the desktop's default program for a
// kind of file (its desktop entry, as `xdg-mime query default` names it) and
// any program by its path.  Behind an installable interface, so tests record
// what would have started instead of starting it.

#include <QString>
#include <QStringList>

class IExternalPrograms {
public:
    virtual ~IExternalPrograms() = default;
    // The desktop entry id ("player.desktop") of the default program for
    // `mimeType`, or the empty text when none is set.
    virtual QString DefaultApplicationFor(const QString& mimeType) = 0;
    // Starts a program on its own, not waited for.  True when it started.
    virtual bool StartDetached(const QString& program, const QStringList& arguments) = 0;
    // A program found on the search path by its name, or the empty text.
    virtual QString FindExecutable(const QString& name) = 0;
};

// The installed implementation (the real one unless a test installed another).
IExternalPrograms& ExternalPrograms();
// Installs `programs` (not owned; null for the real one) and returns the one it replaces.
IExternalPrograms* SetExternalPrograms(IExternalPrograms* programs);

// ---- desktop entries ------------------------------------------------------
// The file of a desktop entry id, searched in the applications folders of
// $XDG_DATA_HOME and $XDG_DATA_DIRS (an id "a-b.desktop" may also be
// "a/b.desktop"); the empty text when there is none.
QString DesktopEntryFile(const QString& desktopId);
// The program and arguments of a desktop entry's Exec line, with its field
// codes (%f, %U, ...) left out, since the program is started without a file.
// False when the file has no usable Exec line.
bool DesktopEntryCommand(const QString& desktopFile, QString& program, QStringList& arguments);
// Starts the program of a desktop entry id or file; false when it cannot.
bool StartDesktopEntry(const QString& desktopIdOrFile);
