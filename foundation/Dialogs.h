#pragma once
// The common dialogs (open, save, colour, font) of a window.  A window owns one
// CommonDialog per dialog control it has (CommonDialogFile, CommonDialogColour,
// CommonDialogFont), sets its properties, and calls Show...; the dialog itself is
// shown through an installable interface, so logic code never opens a window:
// the program installs the Qt implementation (foundation/ui/QtDialogs.h), tests
// install a scripted one.  Without one every dialog is cancelled.
//
// An open or save dialog starts in InitDir when that folder exists, else in
// the folder of the last file chosen in an open or save dialog of this run,
// else in the user's home folder (never in the program's own folder, which
// an installed program cannot write).

#include <QString>
#include <cstdint>

class QObject;

// Flag values of the dialogs, with the platform's numbers so stored and
// computed flags keep their meaning.
namespace Cdl {
// Colour dialog
constexpr int32_t CCRGBInit = 0x1;          // preset to Color
constexpr int32_t CCFullOpen = 0x2;         // custom-colour part shown
constexpr int32_t CCPreventFullOpen = 0x4;  // custom-colour part not offered
// Open and save dialogs
constexpr int32_t OFNReadOnly = 0x1;
constexpr int32_t OFNOverwritePrompt = 0x2;
constexpr int32_t OFNHideReadOnly = 0x4;
constexpr int32_t OFNAllowMultiselect = 0x200;
constexpr int32_t OFNPathMustExist = 0x800;
constexpr int32_t OFNFileMustExist = 0x1000;
constexpr int32_t OFNExplorer = 0x80000;
// Font dialog
constexpr int32_t CFScreenFonts = 0x1;
constexpr int32_t CFEffects = 0x100;  // underline and strike-through offered
}  // namespace Cdl

class CommonDialog {
public:
    enum class Kind { Open, Save, Colour, Font };

    // `owner` is the window the dialog belongs to (its parent when shown, and
    // its name in error trails); `name` is the control's name.
    explicit CommonDialog(QObject* owner = nullptr, QString name = QStringLiteral("CommonDialogFile"));

    QObject* owner() const { return m_owner; }
    const QString& name() const { return m_name; }
    // "<window name>" for call-site texts (empty when there is no owner).
    QString ownerName() const;

    // Properties, as the window sets them before showing the dialog and reads
    // them afterwards.
    QString DialogTitle;
    QString Filter;    // "Description|*.a;*.b|Description|*.c"
    int FilterIndex = 1;
    QString FileName;  // full path; a multi-selection gives the folder and the names, NUL-separated
    QString InitDir;
    int32_t Flags = 0;
    int32_t Color = 0;  // colour value: blue, green, red from high byte to low; high bit = system colour
    QString FontName;
    double FontSize = 8;
    bool FontBold = false;
    bool FontItalic = false;
    bool FontUnderline = false;
    bool FontStrikethru = false;
    // A cancelled dialog raises error 32755 when set (as every window sets it),
    // otherwise it returns quietly with the properties unchanged.
    bool CancelError = true;

    void ShowOpen();
    void ShowSave();
    // The Save dialog as a list file's save asks for its path: the chosen
    // path, or "" when the user cancelled (no error, whatever CancelError
    // says; FileName is cleared first).
    QString ChooseSavePath();
    void ShowColor();
    void ShowFont();

private:
    void show(Kind kind);
    QObject* m_owner;
    QString m_name;
};

class IDialogUi {
public:
    virtual ~IDialogUi() = default;
    // Shows the dialog of `kind` from the properties of `dialog`.  On OK it
    // writes the chosen file name, colour or font back into `dialog` and
    // returns true; on cancel it returns false and changes nothing.
    virtual bool ShowDialog(CommonDialog::Kind kind, CommonDialog& dialog) = 0;
};

// The installed implementation (without one, every dialog is cancelled).
IDialogUi& DialogUi();
// Installs `ui` (not owned) and returns the one it replaces.
IDialogUi* SetDialogUi(IDialogUi* ui);
