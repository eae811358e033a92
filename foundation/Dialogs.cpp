#include "foundation/Dialogs.h"

#include "foundation/Errors.h"

#include <QDir>
#include <QFileInfo>
#include <QObject>
#include <utility>

namespace {
class CancellingDialogUi final : public IDialogUi {
public:
    bool ShowDialog(CommonDialog::Kind, CommonDialog&) override { return false; }
};

CancellingDialogUi g_cancelling;
IDialogUi* g_ui = nullptr;

// The folder of the last file chosen in an open or save dialog of this run.
QString g_lastFileFolder;

bool IsFolder(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

// The folder of a dialog's answer: a multiple choice names its folder first.
QString FolderOfChoice(const QString& fileName) {
    if (fileName.contains(QChar(0))) return fileName.section(QChar(0), 0, 0);
    return QFileInfo(fileName).absolutePath();
}

QString FileDialogStartFolder(const QString& wanted) {
    if (IsFolder(wanted)) return wanted;
    if (IsFolder(g_lastFileFolder)) return g_lastFileFolder;
    return QDir::homePath();
}
}  // namespace

IDialogUi& DialogUi() { return g_ui ? *g_ui : g_cancelling; }

IDialogUi* SetDialogUi(IDialogUi* ui) {
    IDialogUi* old = g_ui;
    g_ui = ui;
    return old;
}

CommonDialog::CommonDialog(QObject* owner, QString name) : m_owner(owner), m_name(std::move(name)) {}

QString CommonDialog::ownerName() const { return m_owner ? m_owner->objectName() : QString(); }

void CommonDialog::ShowOpen() { show(Kind::Open); }
void CommonDialog::ShowSave() { show(Kind::Save); }

QString CommonDialog::ChooseSavePath() {
    FileName.clear();
    const bool cancelError = CancelError;
    CancelError = false;
    struct Restore {
        bool& flag;
        bool value;
        ~Restore() { flag = value; }
    } restore{CancelError, cancelError};
    ShowSave();
    return FileName;
}
void CommonDialog::ShowColor() { show(Kind::Colour); }
void CommonDialog::ShowFont() { show(Kind::Font); }

void CommonDialog::show(Kind kind) {
    const bool fileDialog = kind == Kind::Open || kind == Kind::Save;
    bool chosen = false;
    if (fileDialog) {
        // The dialog is shown from the folder it can start in; the window's
        // own InitDir stays as the window set it.
        struct Restore {
            QString& initDir;
            QString kept;
            ~Restore() { initDir = kept; }
        } restore{InitDir, InitDir};
        InitDir = FileDialogStartFolder(InitDir);
        chosen = DialogUi().ShowDialog(kind, *this);
        if (chosen && !FileName.isEmpty()) g_lastFileFolder = FolderOfChoice(FileName);
    } else {
        chosen = DialogUi().ShowDialog(kind, *this);
    }
    if (!chosen && CancelError) RaiseError(ErrNo::CommonDialogCancel, m_name);
}
