#include "cataloguer/ui/HTMLFontDialog.h"

#include "cataloguer/FontDescription.h"
#include "foundation/Errors.h"
#include "foundation/Help.h"
#include "foundation/MessageUi.h"
#include "foundation/ResourceStrings.h"
#include "foundation/SharedServices.h"
#include "foundation/HtmlColours.h"
#include "foundation/ui/HtmlColourBoxes.h"
#include "foundation/ui/QtDialogs.h"
#include "foundation/ui/WindowPositions.h"
#include "options/ui/ControlSettingsUi.h"
#include "options/ui/DialogSettingsUi.h"
#include "shell/menus/ui/KeyRouter.h"
#include "shell/ui/ControlUtils.h"
#include "shell/ui/PlainControls.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kColoursTopic = 19;
constexpr int kFontsTopic = 20;

const QStringList& SizeEntries() {
    static const QStringList sizes = [] {
        QStringList list{QStringLiteral("Default")};
        for (int i = 1; i <= 7; ++i) list << QString::number(i);
        for (int i = 1; i <= 7; ++i) list << QStringLiteral("+%1").arg(i);
        for (int i = 7; i >= 1; --i) list << QStringLiteral("-%1").arg(i);
        return list;
    }();
    return sizes;
}

// The first entry that begins with `text` (capitals aside), or -1.
int FirstBeginningWith(const QListWidget* list, const QString& text) {
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text().startsWith(text, Qt::CaseInsensitive)) return i;
    return -1;
}

}  // namespace

DialogHTMLFont::DialogHTMLFont(QWidget* parent)
    : OptionDialogBase(parent), CommonDialogColour(this, QStringLiteral("CommonDialogColour")) {
    setObjectName(QStringLiteral("DialogHTMLFont"));
    setModal(true);
    BuildControls();
    ResumeNext([&] { InitialiseDialogText(); });
    // A dialog of fixed size: its layout decides it, the stored position only places it.
    ResumeNext([&] {
        layout()->setSizeConstraint(QLayout::SetFixedSize);
        layout()->activate();
    });
    ResumeNext([&] { ReadWindowPos(this); });
    CommonDialogColour.Flags = Cdl::CCFullOpen;
    ResumeNext([&] {
        QStringList faces = QFontDatabase::families();
        std::sort(faces.begin(), faces.end(),
                  [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
        faces.removeAll(QStringLiteral("Default"));
        faces.prepend(QStringLiteral("Default"));
        ListFonts->addItems(faces);
    });
    ResumeNext([&] { HTMLColoursIntoComboBox(ComboColour); });
    ResumeNext([&] {
        m_busy = true;  // the history's text is replaced by the description's faces
        ReadHTMLFontSettings(ComboFontCombination);
        m_busy = false;
    });
    m_busy = false;
}

void DialogHTMLFont::BuildControls() {
    auto label = [this](const char* name) { return Named(new QLabel(this), QString::fromLatin1(name)); };
    auto list = [this](const char* name) {
        auto* l = Named(new QListWidget(this), QString::fromLatin1(name));
        l->setMinimumHeight(120);
        return l;
    };

    LabelFontCombination = label("LabelFontCombination");
    ComboFontCombination = NewHistoryComboBox(this, HTMLFontSettings::ComboName);
    ComboFontCombination->setMinimumContentsLength(24);
    ListFonts = list("ListFonts");
    ListFonts->setSelectionMode(QAbstractItemView::ExtendedSelection);
    LabelFontCombination->setBuddy(ComboFontCombination);

    LabelStyle = label("LabelStyle");
    TextStyle = Named(new QLineEdit(this), QStringLiteral("TextStyle"));
    TextStyle->setReadOnly(true);
    ListStyles = list("ListStyles");
    for (const QString& style : kFontStyles) ListStyles->addItem(style);
    LabelStyle->setBuddy(TextStyle);

    LabelSize = label("LabelSize");
    TextSize = Named(new QLineEdit(this), QStringLiteral("TextSize"));
    ListSizes = list("ListSizes");
    ListSizes->addItems(SizeEntries());
    LabelSize->setBuddy(TextSize);
    for (QListWidget* narrow : {ListStyles, ListSizes}) narrow->setMaximumWidth(120);
    TextStyle->setMaximumWidth(120);
    TextSize->setMaximumWidth(120);

    CheckUnderline = Named(new QCheckBox(this), QStringLiteral("CheckUnderline"));
    LabelColour = label("LabelColour");
    PictureColour = label("PictureColour");
    PictureColour->setFixedSize(40, 20);
    PictureColour->setFrameShape(QFrame::Box);
    PictureColour->setCursor(Qt::PointingHandCursor);
    ComboColour = NewEditableComboBox(this, QStringLiteral("ComboColour"));
    ComboColour->setMinimumContentsLength(16);
    LabelColour->setBuddy(ComboColour);

    LabelSampleText = label("LabelSampleText");
    LabelSampleText->setAlignment(Qt::AlignCenter);
    LabelSampleText->setFrameShape(QFrame::Panel);
    LabelSampleText->setFrameShadow(QFrame::Sunken);
    LabelSampleText->setMinimumHeight(48);
    LabelSampleText->setAutoFillBackground(true);

    OKButton = Named(new QPushButton(this), QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = Named(new QPushButton(this), QStringLiteral("CancelButton"));
    CancelButton->setAutoDefault(false);

    auto* columns = new QGridLayout;
    columns->addWidget(LabelFontCombination, 0, 0);
    columns->addWidget(ComboFontCombination, 1, 0);
    columns->addWidget(ListFonts, 2, 0);
    columns->addWidget(LabelStyle, 0, 1);
    columns->addWidget(TextStyle, 1, 1);
    columns->addWidget(ListStyles, 2, 1);
    columns->addWidget(LabelSize, 0, 2);
    columns->addWidget(TextSize, 1, 2);
    columns->addWidget(ListSizes, 2, 2);
    columns->setColumnStretch(0, 1);

    auto* colour = new QHBoxLayout;
    colour->addWidget(CheckUnderline);
    colour->addSpacing(24);
    colour->addWidget(LabelColour);
    colour->addWidget(PictureColour);
    colour->addWidget(ComboColour);
    colour->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(colour);
    layout->addWidget(LabelSampleText);
    layout->addLayout(buttons);

    auto guarded = [this](auto handler) { return [this, handler] { ResumeNext([&] { (this->*handler)(); }); }; };
    connect(ListFonts, &QListWidget::itemSelectionChanged, this, guarded(&DialogHTMLFont::ListFonts_Click));
    connect(ComboFontCombination, &QComboBox::editTextChanged, this,
            guarded(&DialogHTMLFont::ComboFontCombination_Change));
    connect(ListStyles, &QListWidget::currentRowChanged, this, guarded(&DialogHTMLFont::ListStyles_Click));
    connect(TextStyle, &QLineEdit::textChanged, this, guarded(&DialogHTMLFont::UpdateSampleText));
    connect(ListSizes, &QListWidget::currentRowChanged, this, guarded(&DialogHTMLFont::ListSizes_Click));
    connect(TextSize, &QLineEdit::textChanged, this, guarded(&DialogHTMLFont::TextSize_Change));
    connect(CheckUnderline, &QCheckBox::toggled, this, guarded(&DialogHTMLFont::UpdateSampleText));
    connect(ComboColour, &QComboBox::activated, this, guarded(&DialogHTMLFont::ComboColour_Click));
    connect(OKButton, &QPushButton::clicked, this, guarded(&DialogHTMLFont::OKButton_Click));
    connect(CancelButton, &QPushButton::clicked, this, guarded(&DialogHTMLFont::CancelButton_Click));

    // The swatch takes clicks, the size and colour boxes report leaving, and
    // every key passes the help key on.
    for (QWidget* control : findChildren<QWidget*>()) control->installEventFilter(this);
    installEventFilter(this);
}

void DialogHTMLFont::InitialiseDialogText() {
    WithTrail(QStringLiteral("InitialiseDialogText"), [&] {
        using namespace TextId::CataloguerFont;
        setWindowTitle(GetResourceString(Caption));
        LabelFontCombination->setText(GetResourceString(FontCombination));
        LabelStyle->setText(GetResourceString(FontStyle));
        LabelSize->setText(GetResourceString(Size));
        CheckUnderline->setText(GetResourceString(Underline));
        LabelColour->setText(GetResourceString(Colour));
        PictureColour->setToolTip(GetResourceString(TextId::CataloguerPage::SwatchTip));
        ComboColour->setToolTip(GetResourceString(TextId::CataloguerPage::ColourListTip));
        LabelSampleText->setText(GetResourceString(SampleText));
        LabelSampleText->setToolTip(GetResourceString(SampleTextTip));
        OKButton->setText(GetResourceString(TextId::Common::OK));
        CancelButton->setText(GetResourceString(TextId::Common::Cancel));
    });
}

bool DialogHTMLFont::Load(QLabel* lblFont) {
    try {
        if (!lblFont) RaiseError(ErrNo::ObjectNotSet);
        QString faces, size, colour;
        bool italic = false, bold = false, underline = false;
        GetFont(lblFont->text(), faces, size, colour, italic, bold, underline);

        // The box may already hold the same text (no change signal): follow it
        // in the face list all the same.
        ComboFontCombination->setEditText(faces);
        ComboFontCombination_Change();
        TextSize->setText(size);
        TextSize_Change();
        ComboColour->setEditText(colour);
        ResumeNext([&] { ComboColour_LostFocus(); });
        ListStyles->setCurrentRow(static_cast<int>(std::find(std::begin(kFontStyles), std::end(kFontStyles),
                                                             FontStyleWord(italic, bold)) -
                                                   std::begin(kFontStyles)));
        CheckUnderline->setChecked(underline);
        mlblFont = lblFont;
        UpdateSampleText();
        return true;
    } catch (...) {
        DisplayErrorMessage();
        return false;
    }
}

// ---- faces ----------------------------------------------------------------------------

void DialogHTMLFont::ListFonts_Click() {
    if (m_busy) return;
    m_busy = true;
    UpdateSampleText();
    QStringList chosen;
    for (int i = 0; i < ListFonts->count(); ++i)
        if (ListFonts->item(i)->isSelected()) chosen << ListFonts->item(i)->text();
    ComboFontCombination->setEditText(chosen.join(QStringLiteral(", ")));
    m_busy = false;
}

void DialogHTMLFont::ComboFontCombination_Change() {
    if (m_busy) return;
    m_busy = true;
    ListFonts->clearSelection();
    const QStringList parts = ComboFontCombination->currentText().split(QLatin1Char(','));
    for (const QString& part : parts) {
        const QString face = part.trimmed();
        if (face.isEmpty()) continue;
        const int row = FirstBeginningWith(ListFonts, face);
        if (row < 0) continue;
        ListFonts->item(row)->setSelected(true);
        ListFonts->setCurrentRow(row, QItemSelectionModel::NoUpdate);
        ListFonts->scrollToItem(ListFonts->item(row));
    }
    UpdateSampleText();
    m_busy = false;
}

// ---- style and size -------------------------------------------------------------------

void DialogHTMLFont::ListStyles_Click() {
    if (QListWidgetItem* item = ListStyles->currentItem()) TextStyle->setText(item->text());
}

void DialogHTMLFont::ListSizes_Click() {
    if (m_sizeBusy) return;
    if (QListWidgetItem* item = ListSizes->currentItem()) TextSize->setText(item->text());
}

void DialogHTMLFont::TextSize_Change() {
    UpdateSampleText();
    // Following the typed text in the list must not copy an entry back.
    m_sizeBusy = true;
    const QString text = TextSize->text();
    const int row = text.isEmpty() ? 0 : FirstBeginningWith(ListSizes, text);
    if (row < 0) ListSizes->clearSelection();
    ListSizes->setCurrentRow(row);
    m_sizeBusy = false;
}

bool DialogHTMLFont::TextSize_LostFocus() {
    if (IsFontSizeText(TextSize->text())) return true;
    using namespace TextId::CataloguerFont;
    MsgBox(GetResourceString(InvalidEntryText), Mb::OKOnly | Mb::Exclamation, GetResourceString(InvalidEntry));
    TextSize->setFocus();
    return false;
}

// ---- colour ---------------------------------------------------------------------------

void DialogHTMLFont::ComboColour_Click() {
    HTMLColourIntoPictureBox(ComboColour, PictureColour);
    UpdateSampleText();
}

void DialogHTMLFont::ComboColour_LostFocus() {
    HTMLColourIntoPictureBox(ComboColour, PictureColour);
    UpdateSampleText();
}

void DialogHTMLFont::PictureColour_Click() {
    if (!ColourFromDialog(CommonDialogColour, PictureColour, Cdl::CCFullOpen)) return;
    ComboColour->setEditText(VB2HTMLColour(SwatchColour(PictureColour), true));
    UpdateSampleText();
}

// ---- sample ---------------------------------------------------------------------------

void DialogHTMLFont::UpdateSampleText() {
    if (!LabelSampleText) return;
    QFont font = LabelSampleText->font();
    const QListWidgetItem* current = ListFonts->currentItem();
    const QString face = current ? current->text() : QStringLiteral("Default");
    font.setFamilies({face.compare(QLatin1String("Default"), Qt::CaseInsensitive) == 0
                          ? QStringLiteral("Times New Roman")
                          : face});
    font.setBold(TextStyle->text().contains(QLatin1String("Bold"), Qt::CaseInsensitive));
    font.setItalic(TextStyle->text().contains(QLatin1String("Italic"), Qt::CaseInsensitive));
    font.setUnderline(CheckUnderline->isChecked());
    LabelSampleText->setFont(font);

    // The button-face colour marks "Default", empty or no colour: such text
    // is drawn in the button-text colour.
    const QColor swatch = PictureColour->palette().color(PictureColour->backgroundRole());
    const QPalette system = QApplication::palette();
    const QColor text = swatch == system.color(QPalette::Button) ? system.color(QPalette::ButtonText) : swatch;
    QPalette palette = LabelSampleText->palette();
    palette.setColor(QPalette::WindowText, text);
    LabelSampleText->setPalette(palette);
}

// ---- OK and Cancel ----------------------------------------------------------------------

void DialogHTMLFont::OKButton_Click() {
    // The boxes are checked when left, but either may still hold the focus:
    // nothing leaves the dialog while the size or the colour is wrong.
    if (!TextSize_LostFocus()) return;
    if (!IsColourBoxText(ComboColour->currentText())) {
        ComboColour_LostFocus();
        ComboColour->setFocus();
        return;
    }
    if (ComboFontCombination->currentText().isEmpty()) {
        m_busy = true;
        ComboFontCombination->setEditText(QStringLiteral("Default"));
        m_busy = false;
    }
    if (TextSize->text().isEmpty()) TextSize->setText(QStringLiteral("Default"));
    mstrHTMLFontString = BuildFontDescription(ComboFontCombination->currentText(), TextSize->text(),
                                              ComboColour->currentText(), TextStyle->text(),
                                              CheckUnderline->isChecked());
    if (mlblFont) mlblFont->setText(mstrHTMLFontString);
    ResumeNext([&] { WriteHTMLFontSettings(ComboFontCombination); });
    Unload();
    accept();
}

int DialogHTMLFont::HelpTopicOf(const QWidget* control) const {
    for (const QWidget* w = control; w && w != this; w = w->parentWidget())
        if (w == ComboColour || w == PictureColour) return kColoursTopic;
    return kFontsTopic;
}

bool DialogHTMLFont::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease && watched == PictureColour) {
        ResumeNext([&] { PictureColour_Click(); });
        return true;
    }
    if (event->type() == QEvent::FocusOut && !Unloaded() &&
        LeavingToCheck(static_cast<QFocusEvent*>(event), OKButton, CancelButton)) {
        if (watched == TextSize) ResumeNext([&] { TextSize_LostFocus(); });
        if (watched == ComboColour) ResumeNext([&] { ComboColour_LostFocus(); });
    }
    QWidget* first = focusWidget() ? focusWidget() : this;
    if (event->type() == QEvent::KeyPress && watched == first) {
        auto* key = static_cast<QKeyEvent*>(event);
        const auto topic = static_cast<int16_t>(HelpTopicOf(first));
        ResumeNext([&] { DisplayHelpTopic(topic, static_cast<int16_t>(PlatformKeyCode(key->key()))); });
    }
    return QDialog::eventFilter(watched, event);
}

bool ShowHTMLFontDialog(QLabel* lblFont, QWidget* parent) {
    try {
        DialogHTMLFont dialog(parent);
        if (!dialog.Load(lblFont)) return false;
        return dialog.exec() == QDialog::Accepted;
    } catch (...) {
        DisplayErrorMessage();
        return false;
    }
}
