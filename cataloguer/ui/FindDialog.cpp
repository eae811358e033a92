#include "cataloguer/ui/FindDialog.h"

#include "cataloguer/ui/MusicCataloguer.h"
#include "foundation/Errors.h"
#include "foundation/Help.h"
#include "foundation/MessageUi.h"
#include "foundation/ResourceStrings.h"
#include "foundation/WindowProtocol.h"
#include "options/ui/ControlSettingsUi.h"
#include "shell/start/VersionInfo.h"
#include "shell/ui/ControlUtils.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

QPointer<DialogFind>& TheDialog() {
    static QPointer<DialogFind> dialog;
    return dialog;
}

constexpr int kWholeWord = 2, kMatchCase = 4;

bool IsWordChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

}  // namespace

DialogFind& DialogFind::Instance() {
    if (!TheDialog()) {
        TheDialog() = new DialogFind;
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] { DialogFind::Unload(); });
    }
    return *TheDialog();
}

DialogFind* DialogFind::IfLoaded() { return TheDialog().data(); }

void DialogFind::Unload() { delete TheDialog().data(); }

DialogFind::DialogFind() : QDialog(nullptr) {
    setObjectName(QStringLiteral("DialogFind"));
    LabelFindWhat = new QLabel(this);
    ComboFind = NewHistoryComboBox(this, QStringLiteral("ComboFind"));
    ComboFind->setMinimumWidth(220);
    LabelFindWhat->setBuddy(ComboFind);
    FrameSearch = new QGroupBox(this);
    OptionDisplayedOutput = new QRadioButton(FrameSearch);
    OptionAllOutputs = new QRadioButton(FrameSearch);
    OptionSelectedText = new QRadioButton(FrameSearch);
    OptionDisplayedOutput->setChecked(true);
    auto* scope = new QVBoxLayout(FrameSearch);
    for (QRadioButton* option : {OptionDisplayedOutput, OptionAllOutputs, OptionSelectedText}) scope->addWidget(option);
    LabelDirection = new QLabel(this);
    ComboDirection = new QComboBox(this);
    ComboDirection->setObjectName(QStringLiteral("ComboDirection"));
    ComboDirection->addItems({QStringLiteral("All"), QStringLiteral("Down")});
    LabelDirection->setBuddy(ComboDirection);
    CheckWholeWord = new QCheckBox(this);
    CheckMatchCase = new QCheckBox(this);
    BtnFindNext = new QPushButton(this);
    BtnFindNext->setObjectName(QStringLiteral("BtnFindNext"));
    BtnFindNext->setEnabled(false);
    CancelButton = new QPushButton(this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(LabelFindWhat, 0, 0);
    grid->addWidget(ComboFind, 0, 1, 1, 2);
    grid->addWidget(BtnFindNext, 0, 3);
    grid->addWidget(FrameSearch, 1, 0, 3, 2);
    grid->addWidget(CancelButton, 1, 3);
    auto* direction = new QHBoxLayout;
    direction->addWidget(LabelDirection);
    direction->addWidget(ComboDirection, 1);
    grid->addLayout(direction, 1, 2);
    grid->addWidget(CheckWholeWord, 2, 2, 1, 2);
    grid->addWidget(CheckMatchCase, 3, 2, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(BtnFindNext, &QPushButton::clicked, this, [this] { BtnFindNext_Click(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] {
        SearchChanged();
        hide();
    });
    connect(ComboFind, &QComboBox::editTextChanged, this, [this] {
        SearchChanged();
        ResumeNext([&] { UpdateFindControls(); });
    });
    connect(ComboFind, &QComboBox::activated, this, [this] {
        SearchChanged();
        ResumeNext([&] { UpdateFindControls(); });
    });
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{CheckMatchCase, CheckWholeWord,
                                                                      OptionDisplayedOutput, OptionAllOutputs})
        connect(b, &QAbstractButton::clicked, this, [this] { SearchChanged(); });
    connect(ComboDirection, &QComboBox::activated, this, [this] { SearchChanged(); });
    ComboFind->lineEdit()->installEventFilter(this);
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
    installEventFilter(this);

    ResumeNext([&] { InitialiseDialogText(); });
    ResumeNext([&] { SetOnTop(this, true); });
    ComboDirection->setCurrentIndex(0);
}

void DialogFind::InitialiseDialogText() {
    WithTrail(QStringLiteral("InitialiseDialogText"), [&] {
        using namespace TextId::Cataloguer;
        setWindowTitle(GetResourceString(FindCaption));
        LabelFindWhat->setText(GetResourceString(FindWhat));
        FrameSearch->setTitle(GetResourceString(FindSearch));
        OptionDisplayedOutput->setText(GetResourceString(DisplayedOutput));
        OptionAllOutputs->setText(GetResourceString(AllOutputs));
        OptionSelectedText->setText(GetResourceString(SelectedText));
        LabelDirection->setText(GetResourceString(FindDirection));
        CheckWholeWord->setText(GetResourceString(FindWholeWordOnly));
        CheckMatchCase->setText(GetResourceString(MatchCase));
        BtnFindNext->setText(GetResourceString(FindNext));
        CancelButton->setText(GetResourceString(TextId::Common::Cancel));
    });
}

FormMusicCataloguer* DialogFind::Window() const {
    if (mstrForm != WindowNames::MusicCataloguer) return nullptr;
    return WindowRegistry::FindAs<FormMusicCataloguer>(mstrForm);
}

bool DialogFind::CheckEditBoxActive() const {
    const FormMusicCataloguer* window = Window();
    return window && window->focusWidget() == window->RichViewer;
}

int DialogFind::GetFindOptions() const {
    int options = 0;
    if (CheckWholeWord->isChecked()) options += kWholeWord;
    if (CheckMatchCase->isChecked()) options += kMatchCase;
    return options;
}

void DialogFind::UpdateFindControls() {
    if (!CheckEditBoxActive()) return;
    const bool any = !ComboFind->currentText().isEmpty();
    BtnFindNext->setEnabled(any);
    BtnFindNext->setDefault(any);
}

void DialogFind::ResetDialog() {
    m_inProgress = false;
    m_endShown = false;
}

int DialogFind::Find(FormMusicCataloguer& window, int start, int end) const {
    const QString needle = ComboFind->currentText();
    if (needle.isEmpty()) return -1;
    const QString text = window.RichViewer->toPlainText();
    const int limit = end < 0 ? static_cast<int>(text.size()) : std::min<int>(end, static_cast<int>(text.size()));
    const int options = GetFindOptions();
    const Qt::CaseSensitivity cs = (options & kMatchCase) ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const int length = static_cast<int>(needle.size());
    qsizetype at = text.indexOf(needle, std::max(0, start), cs);
    while (at >= 0 && at + length <= limit) {
        const bool whole = !(options & kWholeWord) ||
                           ((at == 0 || !IsWordChar(text[at - 1])) &&
                            (at + length >= text.size() || !IsWordChar(text[at + length])));
        if (whole) {
            QTextCursor cursor(window.RichViewer->document());
            cursor.setPosition(static_cast<int>(at));
            cursor.setPosition(static_cast<int>(at) + length, QTextCursor::KeepAnchor);
            window.RichViewer->setTextCursor(cursor);
            window.RichViewer->ensureCursorVisible();
            return static_cast<int>(at);
        }
        at = text.indexOf(needle, at + 1, cs);
    }
    return -1;
}

bool DialogFind::QueryScope() {
    if (m_wrapped) return false;
    if (ComboDirection->currentText() == QLatin1String("Down")) {
        const int answer = MsgBox(GetResourceString(TextId::Cataloguer::ContinueFromBeginning),
                                  Mb::YesNo | Mb::Information, VersionInfo::Title());
        if (answer != Mb::Yes) {
            m_cancelled = true;
            return false;
        }
    }
    return true;
}

bool DialogFind::FindTextInTab(FormMusicCataloguer& window, int page, int& position, bool toStart) {
    return WithTrail(CallSite(QStringLiteral("FindTextInTab"), page, position, toStart), [&] {
        if (window.ShownPage() != page) window.TabStripViewer->setCurrentIndex(page - 1);
        const int end = (toStart && page == m_startPage) ? m_startPosition : -1;
        if (Find(window, position, end) >= 0) return false;
        position = 0;
        return true;
    });
}

void DialogFind::SearchDown() {
    FormMusicCataloguer* window = Window();
    // Nothing to search: no window, no page, or a job busy with the pages.
    if (!window || window->TabStripViewer->count() == 0 || window->ShownPage() == 0 ||
        window->mblnProcessRunning) {
        m_cancelled = true;
        m_inProgress = false;
        return;
    }
    WithTrail(QStringLiteral("SearchDown"), [&] {
        QTextCursor caret = window->RichViewer->textCursor();
        if (!m_inProgress) {
            m_inProgress = true;
            m_matchFound = m_endOfScope = m_wrapped = false;
            m_startPosition = caret.selectionStart();
            m_startPage = window->ShownPage();
        }
        m_cancelled = false;
        m_endOfScope = false;
        int position = caret.selectionEnd();
        bool found = false;
        if (OptionSelectedText->isChecked()) {
            // Within the selection; neither a match nor the end is recorded.
            Find(*window, caret.selectionStart(), caret.selectionEnd());
            return;
        }
        if (OptionDisplayedOutput->isChecked()) {
            found = Find(*window, position, m_wrapped ? m_startPosition : -1) >= 0;
            if (!found && QueryScope()) {
                found = Find(*window, 0, m_startPosition) >= 0;
                m_wrapped = true;
            }
        } else {
            const int last = window->TabStripViewer->count();
            const int shown = window->ShownPage();
            if (!m_wrapped) {
                for (int page = shown; page <= last && !found; ++page)
                    found = !FindTextInTab(*window, page, position, false);
            } else {
                for (int page = shown; page <= m_startPage && !found; ++page)
                    found = !FindTextInTab(*window, page, position, true);
            }
            if (!found && QueryScope()) {
                position = 0;
                for (int page = 1; page <= m_startPage && !found; ++page)
                    found = !FindTextInTab(*window, page, position, true);
                m_wrapped = true;
            }
        }
        if (found)
            m_matchFound = true;
        else
            m_endOfScope = true;
    });
}

void DialogFind::ShowEnd(const QString& text) {
    MsgBox(text, Mb::Exclamation | Mb::OKOnly, VersionInfo::Title());
    m_endShown = true;
    m_inProgress = false;
}

void DialogFind::BtnFindNext_Click() {
    ResumeNext([&] {
        if (m_inProgress) return;
        const QString text = ComboFind->currentText();
        if (text.isEmpty()) return;
        for (int i = 0; i < ComboFind->count(); ++i)
            if (ComboFind->itemText(i) == text) return;
        // Inserting an item would change the edit text: keep it as typed.
        ComboFind->insertItem(0, text);
        ComboFind->setEditText(text);
    });
    BtnFindNext->setEnabled(false);
    ResumeNext([&] { SearchDown(); });
    ResumeNext([&] {
        if (!m_cancelled && m_endOfScope) {
            m_endOfScope = false;
            ShowEnd(GetResourceString(m_matchFound ? TextId::Cataloguer::RegionSearched
                                                   : TextId::Cataloguer::SearchTextNotFound));
        }
    });
    BtnFindNext->setEnabled(true);
    BtnFindNext->setDefault(true);
}

bool DialogFind::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate && !m_inProgress && !m_endShown) {
        ResumeNext([&] {
            FormMusicCataloguer* window = Window();
            if (!window) {
                hide();
                return;
            }
            const bool selection = window->RichViewer->textCursor().hasSelection();
            OptionSelectedText->setEnabled(selection);
            if (selection) {
                OptionSelectedText->setChecked(true);
            } else if (OptionSelectedText->isChecked()) {
                OptionAllOutputs->setChecked(true);
            }
        });
    }
    return handled;
}

void DialogFind::closeEvent(QCloseEvent* event) {
    // The close box hides the dialog; it stays loaded with its state.
    event->ignore();
    SearchChanged();
    hide();
}

bool DialogFind::eventFilter(QObject* watched, QEvent* event) {
    // Coming back to the search text selects all of it, ready to be typed over.
    if (event->type() == QEvent::FocusIn && (watched == ComboFind || watched == ComboFind->lineEdit()))
        QMetaObject::invokeMethod(ComboFind->lineEdit(), &QLineEdit::selectAll, Qt::QueuedConnection);
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            ResumeNext([&] { DisplayHelpTopic(0, 112); });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
