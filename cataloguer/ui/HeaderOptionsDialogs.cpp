#include "cataloguer/ui/HeaderOptionsDialogs.h"

#include "cataloguer/ui/HTMLFontDialog.h"
#include "foundation/Errors.h"
#include "foundation/Help.h"
#include "foundation/HtmlColours.h"
#include "foundation/ReadOptions.h"
#include "foundation/ResourceStrings.h"
#include "foundation/SharedServices.h"
#include "foundation/ui/HtmlColourBoxes.h"
#include "foundation/ui/QtDialogs.h"
#include "foundation/ui/WindowPositions.h"
#include "options/ControlSettings.h"
#include "shell/menus/ui/KeyRouter.h"
#include "shell/ui/ControlUtils.h"
#include "shell/ui/PlainControls.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kHTMLHeaderTopic = 15;
constexpr int kTextHeaderTopic = 16;
constexpr int kColoursTopic = 19;
constexpr int kIndent = 20;

QFrame* SeparatorLine(QWidget* parent, const QString& name) {
    auto* line = Named(new QFrame(parent), name);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

// A check box with the boxes it governs indented under it.
QVBoxLayout* CheckWithChildren(QCheckBox* head, std::initializer_list<QCheckBox*> children) {
    auto* column = new QVBoxLayout;
    column->setSpacing(2);
    column->addWidget(head);
    for (QCheckBox* child : children) {
        auto* row = new QHBoxLayout;
        row->addSpacing(kIndent);
        row->addWidget(child);
        column->addLayout(row);
    }
    return column;
}

bool Within(const QWidget* control, const QWidget* container) {
    for (const QWidget* w = control; w; w = w->parentWidget())
        if (w == container) return true;
    return false;
}

}  // namespace

// ---- shared ---------------------------------------------------------------------------

CataloguerHeaderDialog::CataloguerHeaderDialog(QWidget* parent, const QString& name) : OptionDialogBase(parent) {
    setObjectName(name);
    setModal(true);
}

void CataloguerHeaderDialog::BuildHeaderControls() {
    auto check = [this](const char* name) {
        auto* box = Named(new QCheckBox(this), QString::fromLatin1(name));
        box->setChecked(true);  // every box starts ticked and enabled
        return box;
    };
    FrameHeader = Named(new QGroupBox(this), QStringLiteral("FrameHeader"));
    CheckTitle = check("CheckTitle");
    TextTitle = Named(new QLineEdit(this), QStringLiteral("TextTitle"));
    TextTitle->setText(kDefaultCatalogueTitle);
    TextTitle->setMinimumWidth(200);
    CheckCollectionProperties = check("CheckCollectionProperties");
    CheckTotalNumFiles = check("CheckTotalNumFiles");
    CheckTotalSizeFiles = check("CheckTotalSizeFiles");
    CheckTotalLengthFiles = check("CheckTotalLengthFiles");
    CheckListProperties = check("CheckListProperties");
    CheckListCreationDate = check("CheckListCreationDate");
    CheckListCreationTime = check("CheckListCreationTime");
    CheckNumPagesInList = check("CheckNumPagesInList");
    CheckColumnHeadings = check("CheckColumnHeadings");

    auto handler = [this](void (CataloguerHeaderDialog::*member)()) {
        return [this, member] { ResumeNext([&] { (this->*member)(); }); };
    };
    connect(CheckTitle, &QCheckBox::toggled, this, handler(&CataloguerHeaderDialog::CheckTitle_Click));
    connect(CheckCollectionProperties, &QCheckBox::toggled, this,
            handler(&CataloguerHeaderDialog::CheckCollectionProperties_Click));
    connect(CheckListProperties, &QCheckBox::toggled, this,
            handler(&CataloguerHeaderDialog::CheckListProperties_Click));
}

void CataloguerHeaderDialog::BuildButtons() {
    OKButton = Named(new QPushButton(this), QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = Named(new QPushButton(this), QStringLiteral("CancelButton"));
    CancelButton->setAutoDefault(false);
    connect(OKButton, &QPushButton::clicked, this, [this] { ResumeNext([&] { OKButton_Click(); }); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { ResumeNext([&] { CancelButton_Click(); }); });
}

void CataloguerHeaderDialog::InitialiseHeaderText() {
    using namespace TextId::CataloguerHeader;
    FrameHeader->setTitle(GetResourceString(Frame));
    FrameHeader->setToolTip(GetResourceString(FrameTip));
    const std::pair<QCheckBox*, std::pair<int32_t, int32_t>> checks[] = {
        {CheckTitle, {Title, TitleTip}},
        {CheckCollectionProperties, {CollectionProperties, CollectionPropertiesTip}},
        {CheckTotalNumFiles, {TotalNumFiles, TotalNumFilesTip}},
        {CheckTotalSizeFiles, {TotalSizeFiles, TotalSizeFilesTip}},
        {CheckTotalLengthFiles, {TotalLengthFiles, TotalLengthFilesTip}},
        {CheckListProperties, {ListProperties, ListPropertiesTip}},
        {CheckListCreationDate, {ListCreationDate, ListCreationDateTip}},
        {CheckListCreationTime, {ListCreationTime, ListCreationTimeTip}},
        {CheckNumPagesInList, {NumPagesInList, NumPagesInListTip}},
        {CheckColumnHeadings, {ColumnHeadings, ColumnHeadingsTip}}};
    for (const auto& [box, texts] : checks) {
        box->setText(GetResourceString(texts.first));
        box->setToolTip(GetResourceString(texts.second));
    }
    TextTitle->setToolTip(GetResourceString(TitleTextTip));
    OKButton->setText(GetResourceString(TextId::Common::OK));
    CancelButton->setText(GetResourceString(TextId::Common::Cancel));
}

CataloguerHeaderControls CataloguerHeaderDialog::HeaderControls() const {
    CataloguerHeaderControls c;
    c.CheckTitle = CheckTitle;
    c.TextTitle = TextTitle;
    c.CheckCollectionProperties = CheckCollectionProperties;
    c.CheckTotalNumFiles = CheckTotalNumFiles;
    c.CheckTotalSizeFiles = CheckTotalSizeFiles;
    c.CheckTotalLengthFiles = CheckTotalLengthFiles;
    c.CheckListProperties = CheckListProperties;
    c.CheckListCreationDate = CheckListCreationDate;
    c.CheckListCreationTime = CheckListCreationTime;
    c.CheckNumPagesInList = CheckNumPagesInList;
    c.CheckColumnHeadings = CheckColumnHeadings;
    return c;
}

void CataloguerHeaderDialog::CheckTitle_Click() { TextTitle->setEnabled(CheckTitle->isChecked()); }

void CataloguerHeaderDialog::CheckCollectionProperties_Click() {
    const bool on = CheckCollectionProperties->isChecked();
    for (QCheckBox* box : {CheckTotalNumFiles, CheckTotalSizeFiles, CheckTotalLengthFiles}) box->setEnabled(on);
}

void CataloguerHeaderDialog::CheckListProperties_Click() {
    const bool on = CheckListProperties->isChecked();
    for (QCheckBox* box : {CheckListCreationDate, CheckListCreationTime, CheckNumPagesInList}) box->setEnabled(on);
}

void CataloguerHeaderDialog::OKButton_Click() {
    if (!ValuesValid()) return;
    if (!CheckTitle->isChecked()) TextTitle->clear();
    ResumeNext([&] { StoreValues(); });
    Unload();
    accept();
}

void CataloguerHeaderDialog::WatchControls() {
    for (QWidget* control : findChildren<QWidget*>()) control->installEventFilter(this);
    installEventFilter(this);
}

bool CataloguerHeaderDialog::eventFilter(QObject* watched, QEvent* event) {
    QWidget* first = focusWidget() ? focusWidget() : this;
    if (event->type() == QEvent::KeyPress && watched == first) {
        auto* key = static_cast<QKeyEvent*>(event);
        const auto topic = static_cast<int16_t>(HelpTopicOf(first));
        ResumeNext([&] { DisplayHelpTopic(topic, static_cast<int16_t>(PlatformKeyCode(key->key()))); });
    }
    return QDialog::eventFilter(watched, event);
}

// ---- HTML header ----------------------------------------------------------------------

DialogHTMLCataloguerHeader::DialogHTMLCataloguerHeader(QWidget* parent)
    : CataloguerHeaderDialog(parent, QStringLiteral("DialogHTMLCataloguerHeader")),
      CommonDialogColour(this, QStringLiteral("CommonDialogColour")) {
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
        for (QComboBox* combo : ComboFill) HTMLColoursIntoComboBox(combo);
    });
    ResumeNext([&] {
        const HTMLCataloguerHeaderControls controls = Controls();
        HTMLCataloguerHeaderSettings settings = TakeHTMLHeaderSettings(controls);
        ReadThenShow([&] { settings.Read(); }, [&] { ShowHTMLHeaderSettings(settings, controls); });
    });
}

void DialogHTMLCataloguerHeader::BuildControls() {
    BuildHeaderControls();
    LabelPageLinksAppearAt = Named(new QLabel(this), QStringLiteral("LabelPageLinksAppearAt"));
    ComboPageLinks = Named(new QComboBox(this), QStringLiteral("ComboPageLinks"));
    // The places of the page links, in their stored order.
    ComboPageLinks->addItems({QStringLiteral("top and bottom of each page"), QStringLiteral("top of each page"),
                              QStringLiteral("bottom of each page")});
    LabelPageLinksAppearAt->setBuddy(ComboPageLinks);
    BuildButtons();

    for (int n = 0; n < 5; ++n) {
        BtnChangeFont[n] = Named(new QPushButton(this), Indexed("BtnChangeFont", n));
        BtnChangeFont[n]->setAutoDefault(false);
        LabelFont[n] = Named(new QLabel(this), Indexed("LabelFont", n));
        LabelFont[n]->setText(kDefaultHeaderFont);
        LabelFont[n]->setWordWrap(true);
        LabelFont[n]->setFixedWidth(290);
        LabelFill[n] = Named(new QLabel(this), Indexed("LabelFill", n));
        PictureFill[n] = Named(new QLabel(this), Indexed("PictureFill", n));
        PictureFill[n]->setFixedSize(40, 20);
        PictureFill[n]->setFrameShape(QFrame::Box);
        PictureFill[n]->setCursor(Qt::PointingHandCursor);
        ComboFill[n] = NewEditableComboBox(this, Indexed("ComboFill", n));
        ComboFill[n]->setMinimumContentsLength(14);
        LabelFill[n]->setBuddy(ComboFill[n]);
        connect(BtnChangeFont[n], &QPushButton::clicked, this,
                [this, n] { ResumeNext([&] { BtnChangeFont_Click(n); }); });
        connect(ComboFill[n], &QComboBox::activated, this, [this, n] { ResumeNext([&] { ComboFill_Click(n); }); });
    }
    for (int n = 0; n < 4; ++n) Line[n] = SeparatorLine(FrameHeader, Indexed("Line", n));
    connect(CheckListCreationDate, &QCheckBox::toggled, this,
            [this] { ResumeNext([&] { CheckListCreationDate_Click(); }); });

    // One row per section: its own controls, its font, its fill.
    auto* links = new QHBoxLayout;
    links->addWidget(LabelPageLinksAppearAt);
    links->addWidget(ComboPageLinks);
    links->addStretch(1);
    auto* title = new QVBoxLayout;
    title->addWidget(CheckTitle);
    auto* titleText = new QHBoxLayout;
    titleText->addSpacing(kIndent);
    titleText->addWidget(TextTitle);
    title->addLayout(titleText);
    QLayout* own[5] = {links, title,
                       CheckWithChildren(CheckCollectionProperties,
                                         {CheckTotalNumFiles, CheckTotalSizeFiles, CheckTotalLengthFiles}),
                       CheckWithChildren(CheckListProperties,
                                         {CheckListCreationDate, CheckListCreationTime, CheckNumPagesInList}),
                       CheckWithChildren(CheckColumnHeadings, {})};

    // The font's description goes under its button and the fill, not
    // beside them, so the dialog fits a screen 800 pixels wide.
    auto* grid = new QGridLayout(FrameHeader);
    grid->setHorizontalSpacing(16);
    for (int n = 0; n < 5; ++n) {
        const int row = n * 2;
        grid->addLayout(own[n], row, 0, Qt::AlignTop);
        auto* look = new QHBoxLayout;
        look->addWidget(BtnChangeFont[n]);
        look->addSpacing(16);
        look->addWidget(LabelFill[n]);
        look->addWidget(PictureFill[n]);
        look->addWidget(ComboFill[n]);
        auto* font = new QVBoxLayout;
        font->addLayout(look);
        font->addWidget(LabelFont[n]);
        font->addStretch(1);
        grid->addLayout(font, row, 1, Qt::AlignTop);
        if (n < 4) grid->addWidget(Line[n], row + 1, 0, 1, 2);
    }
    grid->setColumnStretch(0, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FrameHeader);
    layout->addLayout(buttons);
    WatchControls();
}

void DialogHTMLCataloguerHeader::InitialiseDialogText() {
    WithTrail(QStringLiteral("InitialiseDialogText"), [&] {
        using namespace TextId::CataloguerHeader;
        setWindowTitle(GetResourceString(HTMLCaption));
        InitialiseHeaderText();
        LabelPageLinksAppearAt->setText(GetResourceString(PageLinksAppearAt));
        LabelPageLinksAppearAt->setToolTip(GetResourceString(PageLinksAppearAtTip));
        ComboPageLinks->setToolTip(GetResourceString(PageLinksAppearAtTip));
        for (int n = 0; n < 5; ++n) {
            BtnChangeFont[n]->setText(GetResourceString(ChangeFont));
            BtnChangeFont[n]->setToolTip(GetResourceString(ChangeFontTip));
            LabelFill[n]->setText(GetResourceString(Fill));
            PictureFill[n]->setToolTip(GetResourceString(TextId::CataloguerPage::SwatchTip));
            ComboFill[n]->setToolTip(GetResourceString(TextId::CataloguerPage::ColourListTip));
        }
    });
}

HTMLCataloguerHeaderControls DialogHTMLCataloguerHeader::Controls() const {
    HTMLCataloguerHeaderControls c;
    static_cast<CataloguerHeaderControls&>(c) = HeaderControls();
    c.ComboPageLinks = ComboPageLinks;
    c.LabelFont = LabelFont;
    c.ComboFill = ComboFill;
    auto* self = const_cast<DialogHTMLCataloguerHeader*>(this);
    c.ComboFill_LostFocus = [self](int n) { ResumeNext([&] { self->ComboFill_LostFocus(n); }); };
    return c;
}

void DialogHTMLCataloguerHeader::CheckListCreationDate_Click() {
    CheckListCreationTime->setEnabled(CheckListCreationDate->isChecked());
}

void DialogHTMLCataloguerHeader::BtnChangeFont_Click(int index) { ShowHTMLFontDialog(LabelFont[index], this); }

void DialogHTMLCataloguerHeader::ComboFill_Click(int index) { HTMLColourIntoPictureBox(ComboFill[index], PictureFill[index]); }

void DialogHTMLCataloguerHeader::ComboFill_LostFocus(int index) {
    HTMLColourIntoPictureBox(ComboFill[index], PictureFill[index]);
}

void DialogHTMLCataloguerHeader::PictureFill_Click(int index) {
    if (!ColourFromDialog(CommonDialogColour, PictureFill[index], Cdl::CCFullOpen)) return;
    ComboFill[index]->setEditText(VB2HTMLColour(SwatchColour(PictureFill[index]), true));
}

bool DialogHTMLCataloguerHeader::ValuesValid() {
    // A fill box may still hold a text that was never checked (it kept the
    // focus up to OK): nothing is stored until every fill is a colour.
    for (int n = 0; n < 5; ++n) {
        if (IsColourBoxText(ComboFill[n]->currentText())) continue;
        ComboFill_LostFocus(n);
        ComboFill[n]->setFocus();
        return false;
    }
    return true;
}

void DialogHTMLCataloguerHeader::StoreValues() {
    ResumeNext([&] { TakeHTMLHeaderSettings(Controls()).Write(); });
    ResumeNext([&] { GetHTMLCataloguerHeaderOptions(); });
}

int DialogHTMLCataloguerHeader::HelpTopicOf(const QWidget* control) const {
    for (int n = 0; n < 5; ++n)
        if (Within(control, BtnChangeFont[n]) || Within(control, PictureFill[n]) || Within(control, ComboFill[n]))
            return kColoursTopic;
    if (Within(control, OKButton) || Within(control, CancelButton)) return kColoursTopic;
    return kHTMLHeaderTopic;
}

bool DialogHTMLCataloguerHeader::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        for (int n = 0; n < 5; ++n)
            if (watched == PictureFill[n]) {
                ResumeNext([&] { PictureFill_Click(n); });
                return true;
            }
    }
    if (event->type() == QEvent::FocusOut && isVisible() &&
        LeavingToCheck(static_cast<QFocusEvent*>(event), OKButton, CancelButton)) {
        for (int n = 0; n < 5; ++n)
            if (watched == ComboFill[n]) ResumeNext([&] { ComboFill_LostFocus(n); });
    }
    return CataloguerHeaderDialog::eventFilter(watched, event);
}

// ---- text header ----------------------------------------------------------------------

DialogTextCataloguerHeader::DialogTextCataloguerHeader(QWidget* parent)
    : CataloguerHeaderDialog(parent, QStringLiteral("DialogTextCataloguerHeader")) {
    BuildControls();
    ResumeNext([&] { InitialiseDialogText(); });
    // A dialog of fixed size: its layout decides it, the stored position only places it.
    ResumeNext([&] {
        layout()->setSizeConstraint(QLayout::SetFixedSize);
        layout()->activate();
    });
    ResumeNext([&] { ReadWindowPos(this); });
    ResumeNext([&] {
        const CataloguerHeaderControls controls = HeaderControls();
        TextCataloguerHeaderSettings settings = TakeTextHeaderSettings(controls);
        ReadThenShow([&] { settings.Read(); }, [&] { ShowTextHeaderSettings(settings, controls); });
    });
}

void DialogTextCataloguerHeader::BuildControls() {
    BuildHeaderControls();
    BuildButtons();
    for (int n = 0; n < 2; ++n) Line[n] = SeparatorLine(FrameHeader, Indexed("Line", n));

    auto* left = new QVBoxLayout;
    left->addWidget(CheckTitle);
    auto* titleText = new QHBoxLayout;
    titleText->addSpacing(kIndent);
    titleText->addWidget(TextTitle);
    left->addLayout(titleText);
    left->addWidget(Line[0]);
    left->addWidget(CheckColumnHeadings);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addLayout(CheckWithChildren(CheckCollectionProperties,
                                       {CheckTotalNumFiles, CheckTotalSizeFiles, CheckTotalLengthFiles}));
    right->addWidget(Line[1]);
    right->addLayout(
        CheckWithChildren(CheckListProperties, {CheckListCreationDate, CheckListCreationTime, CheckNumPagesInList}));
    right->addStretch(1);
    auto* columns = new QHBoxLayout(FrameHeader);
    columns->addLayout(left, 1);
    columns->addSpacing(16);
    columns->addLayout(right);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FrameHeader);
    layout->addLayout(buttons);
    WatchControls();
}

void DialogTextCataloguerHeader::InitialiseDialogText() {
    WithTrail(QStringLiteral("InitialiseDialogText"), [&] {
        setWindowTitle(GetResourceString(TextId::CataloguerHeader::TextCaption));
        InitialiseHeaderText();
    });
}

void DialogTextCataloguerHeader::StoreValues() {
    ResumeNext([&] { TakeTextHeaderSettings(HeaderControls()).Write(); });
    ResumeNext([&] { GetTextCataloguerHeaderOptions(); });
}

int DialogTextCataloguerHeader::HelpTopicOf(const QWidget*) const { return kTextHeaderTopic; }

// ---- opening --------------------------------------------------------------------------

void ShowHTMLCataloguerHeader(QWidget* parent) {
    try {
        DialogHTMLCataloguerHeader dialog(parent);
        dialog.exec();
    } catch (...) {
        DisplayErrorMessage();
    }
}

void ShowTextCataloguerHeader(QWidget* parent) {
    try {
        DialogTextCataloguerHeader dialog(parent);
        dialog.exec();
    } catch (...) {
        DisplayErrorMessage();
    }
}
