#include "coordinator/ui/AdvancedOptionsDialog.h"

#include "foundation/Errors.h"
#include "foundation/FileUtils.h"
#include "foundation/Help.h"
#include "foundation/ReadOptions.h"
#include "foundation/ResourceStrings.h"
#include "foundation/SettingsStore.h"
#include "foundation/ui/WindowPositions.h"
#include "foundation/ui/QtDialogs.h"
#include "options/ControlSettings.h"
#include "shell/menus/ui/KeyRouter.h"
#include "shell/ui/ControlUtils.h"
#include "shell/ui/PlainControls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kHelpTopic = 13;

}  // namespace

QString SpecialWordText(int index, const QString& typed) {
    QString text = typed;
    EnsureFileNameCompatible(text, QStringLiteral(" "));
    switch (index % 3) {
    case 0: return text.toUpper();
    case 1: return text.toLower();
    default: return text.isEmpty() ? text : text.left(1).toUpper() + text.mid(1).toLower();
    }
}

DialogFileNameTagCoordAdvOptions::DialogFileNameTagCoordAdvOptions(QWidget* parent)
    : OptionDialogBase(parent), CommonDialogColour(this, QStringLiteral("CommonDialogColour")) {
    setObjectName(QStringLiteral("DialogFileNameTagCoordAdvOptions"));
    setModal(true);
    BuildControls();
    // Load: texts, the stored place, the stored values, the colour dialog.
    ResumeNext([&] { InitialiseDialogText(); });
    ResumeNext([&] { ReadWindowPos(this); });
    ResumeNext([&] {
        FileNameTagCoordAdvSettings settings = TakeSettings();
        ReadThenShow([&] { settings.Read(); }, [&] { ShowSettings(settings); });
    });
    CommonDialogColour.Flags = 3;
    TabStripNames->setCurrentIndex(0);
    TabStripNames_Click(0);
}

void DialogFileNameTagCoordAdvOptions::BuildControls() {
    TabStripNames = Named(new QTabBar(this), QStringLiteral("TabStripNames"));
    TabStripNames->addTab(QString());
    TabStripNames->addTab(QString());

    auto* names = new QGridLayout;
    for (int k = 0; k < 2; ++k) {
        FrameFormat[k] = Named(new QGroupBox(this), Indexed("FrameFormat", k));
        auto* format = new QVBoxLayout(FrameFormat[k]);
        OptionAllUppercase[k] = Named(new QRadioButton(FrameFormat[k]), Indexed("OptionAllUppercase", k));
        OptionAllLowercase[k] = Named(new QRadioButton(FrameFormat[k]), Indexed("OptionAllLowercase", k));
        OptionCapitaliseEachWord[k] =
            Named(new QRadioButton(FrameFormat[k]), Indexed("OptionCapitaliseEachWord", k));
        OptionDontChange[k] = Named(new QRadioButton(FrameFormat[k]), Indexed("OptionDontChange", k));
        CheckRemoveUnderscores[k] = Named(new QCheckBox(FrameFormat[k]), Indexed("CheckRemoveUnderscores", k));
        QRadioButton* options[] = {OptionAllUppercase[k], OptionAllLowercase[k], OptionCapitaliseEachWord[k],
                                   OptionDontChange[k]};
        for (int style = 0; style < 4; ++style) {
            format->addWidget(options[style]);
            connect(options[style], &QRadioButton::toggled, this, [this, k, style](bool on) {
                if (on) ResumeNext([&] { OptionCase_Click(k, style); });
            });
        }
        format->addWidget(CheckRemoveUnderscores[k]);
        format->addStretch(1);

        FrameChangeSpecialWords[k] = Named(new QGroupBox(this), Indexed("FrameChangeSpecialWords", k));
        auto* pairs = new QGridLayout(FrameChangeSpecialWords[k]);
        for (int j = 0; j < 7; ++j) {
            const int i = 7 * k + j;
            for (auto* boxes : {&TextChangeSpecialWordFrom, &TextChangeSpecialWordTo}) {
                const bool from = boxes == &TextChangeSpecialWordFrom;
                QLineEdit* box = Named(new QLineEdit(FrameChangeSpecialWords[k]),
                                       Indexed(from ? "TextChangeSpecialWordFrom" : "TextChangeSpecialWordTo", i));
                box->setMaxLength(14);
                (*boxes)[i] = box;
                pairs->addWidget(box, j, from ? 0 : 2);
                connect(box, &QLineEdit::textChanged, this,
                        [this, box] { ResumeNext([&] { TextChangeSpecialWord_Change(box); }); });
            }
            auto* arrow = new QLabel(QStringLiteral("\u2192"), FrameChangeSpecialWords[k]);
            arrow->setObjectName(Indexed("ImageArrow", i));
            pairs->addWidget(arrow, j, 1);
        }

        FrameSpecialWordsFormat[k] = Named(new QGroupBox(this), Indexed("FrameSpecialWordsFormat", k));
        auto* words = new QHBoxLayout(FrameSpecialWordsFormat[k]);
        for (int s = 0; s < 3; ++s) {
            const int i = 3 * k + s;
            QGroupBox* type = Named(new QGroupBox(FrameSpecialWordsFormat[k]), Indexed("FrameSpecialWordsFormatType", i));
            FrameSpecialWordsFormatType[i] = type;
            auto* column = new QGridLayout(type);
            TextSpecialWordFormat[i] = Named(new QLineEdit(type), Indexed("TextSpecialWordFormat", i));
            TextSpecialWordFormat[i]->setMaxLength(20);
            // Room for a word of eight letters or so.
            TextSpecialWordFormat[i]->setMinimumWidth(TextSpecialWordFormat[i]->fontMetrics().averageCharWidth() * 8 +
                                                      12);
            BtnAddSpecialWordFormat[i] = Named(new QPushButton(type), Indexed("BtnAddSpecialWordFormat", i));
            BtnAddSpecialWordFormat[i]->setEnabled(false);
            BtnAddSpecialWordFormat[i]->setAutoDefault(false);
            ListSpecialWordsFormat[i] = Named(new QListWidget(type), Indexed("ListSpecialWordsFormat", i));
            BtnRemoveSpecialWordFormat[i] = Named(new QPushButton(type), Indexed("BtnRemoveSpecialWordFormat", i));
            BtnRemoveSpecialWordFormat[i]->setAutoDefault(false);
            column->addWidget(TextSpecialWordFormat[i], 0, 0);
            column->addWidget(BtnAddSpecialWordFormat[i], 0, 1);
            column->addWidget(ListSpecialWordsFormat[i], 1, 0, 1, 2);
            column->addWidget(BtnRemoveSpecialWordFormat[i], 2, 0, 1, 2);
            words->addWidget(type);
            connect(TextSpecialWordFormat[i], &QLineEdit::textChanged, this,
                    [this, i] { ResumeNext([&] { TextSpecialWordFormat_Change(i); }); });
            connect(BtnAddSpecialWordFormat[i], &QPushButton::clicked, this,
                    [this, i] { ResumeNext([&] { BtnAddSpecialWordFormat_Click(i); }); });
            connect(BtnRemoveSpecialWordFormat[i], &QPushButton::clicked, this,
                    [this, i] { ResumeNext([&] { BtnRemoveSpecialWordFormat_Click(i); }); });
        }
        // Both names' frames share one place; the tab shows one set.
        names->addWidget(FrameFormat[k], 0, 0);
        names->addWidget(FrameChangeSpecialWords[k], 0, 1, 1, 2);
        names->addWidget(FrameSpecialWordsFormat[k], 1, 0, 1, 2);
    }

    CheckTheAtEnd = Named(new QCheckBox(this), QStringLiteral("CheckTheAtEnd"));
    CheckRemoveDoubleSpaces = Named(new QCheckBox(this), QStringLiteral("CheckRemoveDoubleSpaces"));
    CheckRigorousTrackNum = Named(new QCheckBox(this), QStringLiteral("CheckRigorousTrackNum"));

    FrameActionColours = Named(new QGroupBox(this), QStringLiteral("FrameActionColours"));
    auto* colours = new QGridLayout(FrameActionColours);
    LabelChange = Named(new QLabel(FrameActionColours), QStringLiteral("LabelChange"));
    LabelChangeQ = Named(new QLabel(FrameActionColours), QStringLiteral("LabelChangeQ"));
    LabelNoChange = Named(new QLabel(FrameActionColours), QStringLiteral("LabelNoChange"));
    LabelDelete = Named(new QLabel(FrameActionColours), QStringLiteral("LabelDelete"));
    QLabel* labels[] = {LabelChange, LabelChangeQ, LabelNoChange, LabelDelete};
    for (int i = 0; i < 4; ++i) {
        PictureColour[i] = Named(new QLabel(FrameActionColours), Indexed("PictureColour", i));
        PictureColour[i]->setFixedSize(40, 18);
        PictureColour[i]->setFrameShape(QFrame::Box);
        PictureColour[i]->setCursor(Qt::PointingHandCursor);
        PictureColour[i]->installEventFilter(this);
        colours->addWidget(labels[i], i / 2, (i % 2) * 2);
        colours->addWidget(PictureColour[i], i / 2, (i % 2) * 2 + 1);
    }

    LabelTrackNumLimit = Named(new QLabel(this), QStringLiteral("LabelTrackNumLimit"));
    TextTrackNumLimit = Named(new QLineEdit(this), QStringLiteral("TextTrackNumLimit"));
    TextTrackNumLimit->setMaxLength(2);
    TextTrackNumLimit->setFixedWidth(36);
    LabelTrackNumLimit->setBuddy(TextTrackNumLimit);
    UpDownTrackNumLimitUp = Named(new QToolButton(this), QStringLiteral("UpDownTrackNumLimitUp"));
    UpDownTrackNumLimitUp->setArrowType(Qt::UpArrow);
    UpDownTrackNumLimitDown = Named(new QToolButton(this), QStringLiteral("UpDownTrackNumLimitDown"));
    UpDownTrackNumLimitDown->setArrowType(Qt::DownArrow);
    connect(TextTrackNumLimit, &QLineEdit::textChanged, this, [this] { ResumeNext([&] { TextTrackNumLimit_Change(); }); });
    connect(UpDownTrackNumLimitUp, &QToolButton::clicked, this, [this] { ResumeNext([&] { UpDownTrackNumLimit_Click(1); }); });
    connect(UpDownTrackNumLimitDown, &QToolButton::clicked, this,
            [this] { ResumeNext([&] { UpDownTrackNumLimit_Click(-1); }); });

    OKButton = Named(new QPushButton(this), QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = Named(new QPushButton(this), QStringLiteral("CancelButton"));
    connect(OKButton, &QPushButton::clicked, this, [this] { ResumeNext([&] { OKButton_Click(); }); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { ResumeNext([&] { CancelButton_Click(); }); });
    connect(TabStripNames, &QTabBar::currentChanged, this, [this](int tab) { ResumeNext([&] { TabStripNames_Click(tab); }); });

    // The switches and the colours stand beside the special words' lists,
    // not under them, so the dialog fits a screen 600 pixels high.
    auto* side = new QVBoxLayout;
    side->addWidget(CheckTheAtEnd);
    side->addWidget(CheckRemoveDoubleSpaces);
    side->addWidget(CheckRigorousTrackNum);
    auto* limit = new QHBoxLayout;
    limit->addWidget(LabelTrackNumLimit);
    limit->addWidget(TextTrackNumLimit);
    auto* arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    // The spinner as high as its box.
    for (QToolButton* arrow : {UpDownTrackNumLimitUp, UpDownTrackNumLimitDown}) {
        arrow->setFixedSize(18, 11);
        arrows->addWidget(arrow);
    }
    limit->addLayout(arrows);
    limit->addStretch(1);
    side->addLayout(limit);
    side->addWidget(FrameActionColours);
    side->addStretch(1);
    names->addLayout(side, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(TabStripNames);
    layout->addLayout(names);
    layout->addLayout(buttons);

    // Every key of the dialog passes the help key on.
    for (QWidget* control : findChildren<QWidget*>()) control->installEventFilter(this);
    installEventFilter(this);
}

void DialogFileNameTagCoordAdvOptions::InitialiseDialogText() {
    WithTrail(QStringLiteral("InitialiseDialogText"), [&] {
        using namespace TextId::CoordinatorAdv;
        setWindowTitle(GetResourceString(Caption));
        TabStripNames->setTabText(0, GetResourceString(Artist));
        TabStripNames->setTabText(1, GetResourceString(Title));
        const int32_t frameTitles[2] = {ArtistFormat, TitleFormat};
        const int32_t frameTips[2] = {HowArtistAppearResultingFileTip, HowTitleAppearResultingFileTip};
        const int32_t caseTips[2][4] = {
            {MakeArtistNamesUppercaseTip, MakeArtistNamesLowercaseTip, CapitalizeAllArtistNamesTip,
             MakeNoChangesArtistNameTip},
            {MakeTitleNamesUppercaseTip, MakeTitleNamesLowercaseTip, CapitalizeAllTitleNamesTip,
             MakeNoChangesTitleNameTip}};
        const int32_t typeTitles[3] = {Uppercase, Lowercase, Capitalized};
        const int32_t typeTips[3] = {WordsOnlyAppearUppercaseTip, WordsOnlyAppearLowercaseTip,
                                     WordsOnlyAppearCapitalizedTip};
        const int32_t listTips[3] = {WordsAppearUppercaseTip, WordsAppearLowercaseTip, WordsAppearCapitalizedTip};
        for (int k = 0; k < 2; ++k) {
            FrameFormat[k]->setTitle(GetResourceString(frameTitles[k]));
            FrameFormat[k]->setToolTip(GetResourceString(frameTips[k]));
            QRadioButton* options[] = {OptionAllUppercase[k], OptionAllLowercase[k], OptionCapitaliseEachWord[k],
                                       OptionDontChange[k]};
            const int32_t captions[] = {AllUppercase, AllLowercase, CapitalizeEachWord, DontChange};
            for (int s = 0; s < 4; ++s) {
                options[s]->setText(GetResourceString(captions[s]));
                options[s]->setToolTip(GetResourceString(caseTips[k][s]));
            }
            CheckRemoveUnderscores[k]->setText(GetResourceString(RemoveUnderscores));
            CheckRemoveUnderscores[k]->setToolTip(GetResourceString(ReplaceUnderscoresSpacesTip));
            FrameChangeSpecialWords[k]->setTitle(GetResourceString(ChangeSpecialWords));
            FrameChangeSpecialWords[k]->setToolTip(GetResourceString(WordsChangeAnotherWordTip));
            FrameSpecialWordsFormat[k]->setTitle(GetResourceString(SpecialWordsFormat));
            FrameSpecialWordsFormat[k]->setToolTip(GetResourceString(WordsAppearParticularFormatTip));
            for (int s = 0; s < 3; ++s) {
                const int i = 3 * k + s;
                FrameSpecialWordsFormatType[i]->setTitle(GetResourceString(typeTitles[s]));
                FrameSpecialWordsFormatType[i]->setToolTip(GetResourceString(typeTips[s]));
                TextSpecialWordFormat[i]->setToolTip(GetResourceString(typeTips[s]));
                BtnAddSpecialWordFormat[i]->setText(GetResourceString(Add));
                // As wide as its caption, not the usual button width: the
                // word box beside it takes the room.
                QPushButton* add = BtnAddSpecialWordFormat[i];
                add->setMinimumWidth(add->fontMetrics().size(Qt::TextShowMnemonic, add->text()).width() + 24);
                BtnAddSpecialWordFormat[i]->setToolTip(GetResourceString(AddWordSpecifiedListBelowTip));
                ListSpecialWordsFormat[i]->setToolTip(GetResourceString(listTips[s]));
                BtnRemoveSpecialWordFormat[i]->setText(GetResourceString(Remove));
                BtnRemoveSpecialWordFormat[i]->setToolTip(GetResourceString(RemoveSelectedWordListTip));
            }
        }
        for (int i = 0; i < 14; ++i) {
            TextChangeSpecialWordFrom[i]->setToolTip(GetResourceString(WordsChangeTip));
            TextChangeSpecialWordTo[i]->setToolTip(GetResourceString(WordChangeWordSpecifiedLeftTip));
        }
        CheckTheAtEnd->setText(GetResourceString(TheAtEnd));
        CheckTheAtEnd->setToolTip(GetResourceString(PutWordFoundStartArtistTip));
        CheckRemoveDoubleSpaces->setText(GetResourceString(RemoveDoubleSpaces));
        CheckRemoveDoubleSpaces->setToolTip(GetResourceString(ChangeOccurrencesDoubleSpacesSingleTip));
        CheckRigorousTrackNum->setText(GetResourceString(RigorousTrackNumberDetection));
        CheckRigorousTrackNum->setToolTip(GetResourceString(AttemptDetectTrackNumbersFileTip));
        FrameActionColours->setTitle(GetResourceString(ActionColors));
        FrameActionColours->setToolTip(GetResourceString(ActionColorsTip));
        const std::pair<QLabel*, std::pair<int32_t, int32_t>> labels[] = {
            {LabelChange, {ChangeColor, ChangeColorTip}},
            {LabelChangeQ, {ChangeQueryColor, ChangeQueryColorTip}},
            {LabelNoChange, {NoChangeColor, NoChangeColorTip}},
            {LabelDelete, {DeleteColor, DeleteColorTip}}};
        for (const auto& [label, texts] : labels) {
            label->setText(GetResourceString(texts.first));
            label->setToolTip(GetResourceString(texts.second));
        }
        for (QLabel* swatch : PictureColour) swatch->setToolTip(GetResourceString(OpenColorDialogTip));
        LabelTrackNumLimit->setText(GetResourceString(TrackNumberLimit));
        for (QWidget* w : std::initializer_list<QWidget*>{LabelTrackNumLimit, TextTrackNumLimit, UpDownTrackNumLimitUp,
                                                          UpDownTrackNumLimitDown})
            w->setToolTip(GetResourceString(HighestTrackNumberLookDerivingTip));
        OKButton->setText(GetResourceString(TextId::Common::OK));
        CancelButton->setText(GetResourceString(TextId::Common::Cancel));
    });
}

// ---- handlers -------------------------------------------------------------------------

void DialogFileNameTagCoordAdvOptions::TabStripNames_Click(int tab) {
    for (int k = 0; k < 2; ++k) {
        const bool shown = k == tab;
        for (QGroupBox* frame : {FrameFormat[k], FrameChangeSpecialWords[k], FrameSpecialWordsFormat[k]}) {
            frame->setVisible(shown);
            frame->setEnabled(shown);
        }
    }
}

void DialogFileNameTagCoordAdvOptions::OptionCase_Click(int k, int style) {
    // The word list of the style chosen has nothing to do; "Don't change"
    // leaves the lists as they are.
    if (style > 2) return;
    for (int s = 0; s < 3; ++s) FrameSpecialWordsFormatType[3 * k + s]->setEnabled(s != style);
}

void DialogFileNameTagCoordAdvOptions::TextChangeSpecialWord_Change(QLineEdit* box) {
    QString text = box->text();
    int caret = box->cursorPosition();
    if (!EnsureFileNameCompatibleTextBox(text, caret, QStringLiteral(" "))) return;
    Beep();
    box->setText(text);
    box->setCursorPosition(std::min<int>(caret, static_cast<int>(text.size())));
}

void DialogFileNameTagCoordAdvOptions::TextSpecialWordFormat_Change(int index) {
    QLineEdit* box = TextSpecialWordFormat[index];
    const bool any = !box->text().isEmpty();
    BtnAddSpecialWordFormat[index]->setEnabled(any);
    // Enter adds while there is a word to add, else it is OK's again.
    BtnAddSpecialWordFormat[index]->setDefault(any);
    if (!any) OKButton->setDefault(true);
    const QString text = SpecialWordText(index, box->text());
    if (text == box->text()) return;
    const int caret = box->cursorPosition();
    box->setText(text);
    box->setCursorPosition(std::min<int>(caret, static_cast<int>(text.size())));
}

void DialogFileNameTagCoordAdvOptions::BtnAddSpecialWordFormat_Click(int index) {
    QListWidget* list = ListSpecialWordsFormat[index];
    const QString word = TextSpecialWordFormat[index]->text();
    if (!word.isEmpty() && list->findItems(word, Qt::MatchExactly | Qt::MatchCaseSensitive).isEmpty())
        list->addItem(word);
    TextSpecialWordFormat[index]->clear();
}

void DialogFileNameTagCoordAdvOptions::BtnRemoveSpecialWordFormat_Click(int index) {
    QListWidget* list = ListSpecialWordsFormat[index];
    const int row = list->currentRow();
    if (row < 0 || !list->currentItem() || !list->currentItem()->isSelected()) return;
    delete list->takeItem(row);
    if (list->count() == 0) {
        list->setCurrentRow(-1);
        return;
    }
    list->setCurrentRow(std::max(0, row - 1));
}

void DialogFileNameTagCoordAdvOptions::PictureColour_Click(int index) {
    ColourFromDialog(CommonDialogColour, PictureColour[index], 2);
}

void DialogFileNameTagCoordAdvOptions::TextTrackNumLimit_Change() {
    EnsureNumericTextBox(TextTrackNumLimit, false, false, false);
}

void DialogFileNameTagCoordAdvOptions::UpDownTrackNumLimit_Click(int direction) {
    if (direction > 0) {
        IncDecTextBox(TextTrackNumLimit, 1, 99, 1);
    } else if (TextTrackNumLimit->text() == QLatin1String("1")) {
        TextTrackNumLimit->clear();
    } else if (!TextTrackNumLimit->text().isEmpty()) {
        IncDecTextBox(TextTrackNumLimit, -1, 1, 1);
    }
}

void DialogFileNameTagCoordAdvOptions::OKButton_Click() {
    ResumeNext([&] { TakeSettings().Write(); });
    // The coordinator works with the new values at once.
    ResumeNext([&] { GetFileNameTagCoordinatorAdvOptions(); });
    Unload();
    accept();
}


bool DialogFileNameTagCoordAdvOptions::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        for (int i = 0; i < 4; ++i)
            if (watched == PictureColour[i]) {
                ResumeNext([&] { PictureColour_Click(i); });
                return true;
            }
    }
    // A key that a control ignores travels on to its parents: it counts once,
    // where it arrived.
    QWidget* first = focusWidget() ? focusWidget() : this;
    if (event->type() == QEvent::KeyPress && watched == first) {
        auto* key = static_cast<QKeyEvent*>(event);
        ResumeNext([&] { DisplayHelpTopic(kHelpTopic, static_cast<int16_t>(PlatformKeyCode(key->key()))); });
        if (watched == TextTrackNumLimit && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            ResumeNext([&] { UpDownTrackNumLimit_Click(key->key() == Qt::Key_Up ? 1 : -1); });
            return true;
        }
    }
    // While a word list has the focus, Enter removes its selected word.
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        for (int i = 0; i < 6; ++i)
            if (watched == ListSpecialWordsFormat[i]) {
                const bool in = event->type() == QEvent::FocusIn;
                BtnRemoveSpecialWordFormat[i]->setDefault(in);
                if (!in) OKButton->setDefault(true);
            }
    }
    return QDialog::eventFilter(watched, event);
}

// ---- settings -------------------------------------------------------------------------

FileNameTagCoordAdvSettings DialogFileNameTagCoordAdvOptions::TakeSettings() const {
    FileNameTagCoordAdvSettings s;
    for (int k = 0; k < 2; ++k) {
        s.OptionAllUppercase[k] = OptionAllUppercase[k]->isChecked();
        s.OptionAllLowercase[k] = OptionAllLowercase[k]->isChecked();
        s.OptionCapitaliseEachWord[k] = OptionCapitaliseEachWord[k]->isChecked();
        s.OptionDontChange[k] = OptionDontChange[k]->isChecked();
        s.CheckRemoveUnderscores[k] = CheckRemoveUnderscores[k]->isChecked();
    }
    for (int i = 0; i < 14; ++i) {
        s.TextChangeSpecialWordFrom[i] = TextChangeSpecialWordFrom[i]->text();
        s.TextChangeSpecialWordTo[i] = TextChangeSpecialWordTo[i]->text();
    }
    for (int i = 0; i < 6; ++i) {
        QStringList words;
        for (int r = 0; r < ListSpecialWordsFormat[i]->count(); ++r) words << ListSpecialWordsFormat[i]->item(r)->text();
        s.ListSpecialWordsFormat[i] = words;
    }
    s.CheckTheAtEnd = CheckTheAtEnd->isChecked();
    s.CheckRemoveDoubleSpaces = CheckRemoveDoubleSpaces->isChecked();
    s.CheckRigorousTrackNum = CheckRigorousTrackNum->isChecked();
    for (int i = 0; i < 4; ++i) s.PictureColour[i] = SwatchColour(PictureColour[i]);
    s.TextTrackNumLimit = TextTrackNumLimit->text();
    return s;
}

void DialogFileNameTagCoordAdvOptions::ShowSettings(const FileNameTagCoordAdvSettings& s) {
    for (int k = 0; k < 2; ++k) {
        // The stored option is selected as a click would (its word list off).
        if (s.OptionAllUppercase[k]) OptionAllUppercase[k]->setChecked(true);
        if (s.OptionAllLowercase[k]) OptionAllLowercase[k]->setChecked(true);
        if (s.OptionCapitaliseEachWord[k]) OptionCapitaliseEachWord[k]->setChecked(true);
        if (s.OptionDontChange[k]) OptionDontChange[k]->setChecked(true);
        CheckRemoveUnderscores[k]->setChecked(s.CheckRemoveUnderscores[k]);
    }
    for (int i = 0; i < 14; ++i) {
        TextChangeSpecialWordFrom[i]->setText(s.TextChangeSpecialWordFrom[i]);
        TextChangeSpecialWordTo[i]->setText(s.TextChangeSpecialWordTo[i]);
    }
    for (int i = 0; i < 6; ++i) {
        ListSpecialWordsFormat[i]->clear();
        ListSpecialWordsFormat[i]->addItems(s.ListSpecialWordsFormat[i]);
    }
    CheckTheAtEnd->setChecked(s.CheckTheAtEnd);
    CheckRemoveDoubleSpaces->setChecked(s.CheckRemoveDoubleSpaces);
    CheckRigorousTrackNum->setChecked(s.CheckRigorousTrackNum);
    for (int i = 0; i < 4; ++i) SetSwatchColour(PictureColour[i], s.PictureColour[i]);
    TextTrackNumLimit->setText(s.TextTrackNumLimit);
}

void ShowFileNameTagCoordAdvOptions(QWidget* parent) {
    try {
        DialogFileNameTagCoordAdvOptions dialog(parent);
        dialog.exec();
    } catch (...) {
        DisplayErrorMessage();
    }
}
