#include "foundation/Dialogs.h"

#include "foundation/Errors.h"

#include <QObject>
#include <utility>

namespace {
class CancellingDialogUi final : public IDialogUi {
public:
    bool ShowDialog(CommonDialog::Kind, CommonDialog&) override { return false; }
};

CancellingDialogUi g_cancelling;
IDialogUi* g_ui = nullptr;
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
void CommonDialog::ShowColor() { show(Kind::Colour); }
void CommonDialog::ShowFont() { show(Kind::Font); }

void CommonDialog::show(Kind kind) {
    if (!DialogUi().ShowDialog(kind, *this) && CancelError)
        RaiseError(ErrNo::CommonDialogCancel, m_name);
}
