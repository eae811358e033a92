#include "cataloguer/ui/PagePropertiesDialog.h"

#include "foundation/Errors.h"
#include "foundation/Help.h"
#include "foundation/HtmlColours.h"
#include "foundation/MessageUi.h"
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

#include <QCloseEvent>
#include <QComboBox>
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

constexpr int kHelpTopic = 14;

}  // namespace

DialogHTMLPageProperties::DialogHTMLPageProperties(QWidget* parent)
    : OptionDialogBase(parent),
      CommonDialogFile(this, QStringLiteral("CommonDialogFile")),
      CommonDialogColour(this, QStringLiteral("CommonDialogColour")) {
    setObjectName(QStringLiteral("DialogHTMLPageProperties"));
    setModal(true);
    BuildControls();
    ResumeNext([&] { InitialiseDialogText(); });
    // A dialog of fixed size: its layout decides it, the stored position only places it.
    ResumeNext([&] {
        layout()->setSizeConstraint(QLayout::SetFixedSize);
        layout()->activate();
    });
    ResumeNext([&] { ReadWindowPos(this); });
    CommonDialogFile.Flags = Cdl::OFNFileMustExist | Cdl::OFNHideReadOnly | Cdl::OFNOverwritePrompt;
    CommonDialogColour.Flags = Cdl::CCFullOpen;
    ResumeNext([&] {
        for (QComboBox* combo : ComboColour) HTMLColoursIntoComboBox(combo);
    });
    ResumeNext([&] {
        HTMLPagePropertiesSettings settings = TakeSettings();
        ReadThenShow([&] { settings.Read(); }, [&] { ShowSettings(settings); });
    });
}

void DialogHTMLPageProperties::BuildControls() {
    auto line = [this](const char* name) { return Named(new QLineEdit(this), QString::fromLatin1(name)); };
    auto label = [this](const char* name) { return Named(new QLabel(this), QString::fromLatin1(name)); };
    LabelTitle = label("LabelTitle");
    TextTitle = line("TextTitle");
    LabelDescription = label("LabelDescription");
    TextDescription = line("TextDescription");
    LabelKeywords = label("LabelKeywords");
    TextKeywords = line("TextKeywords");
    LabelBackgroundImage = label("LabelBackgroundImage");
    TextBackgroundImage = line("TextBackgroundImage");
    TextBackgroundImage->setMaxLength(260);
    BtnBrowseBackgroundImage = Named(new QPushButton(this), QStringLiteral("BtnBrowseBackgroundImage"));
    BtnBrowseBackgroundImage->setAutoDefault(false);
    LabelTitle->setBuddy(TextTitle);
    LabelDescription->setBuddy(TextDescription);
    LabelKeywords->setBuddy(TextKeywords);
    LabelBackgroundImage->setBuddy(TextBackgroundImage);
    connect(BtnBrowseBackgroundImage, &QPushButton::clicked, this,
            [this] { ResumeNext([&] { BtnBrowseBackgroundImage_Click(); }); });

    auto* head = new QGridLayout;
    head->addWidget(LabelTitle, 0, 0);
    head->addWidget(TextTitle, 0, 1, 1, 2);
    head->addWidget(LabelDescription, 1, 0);
    head->addWidget(TextDescription, 1, 1, 1, 2);
    head->addWidget(LabelKeywords, 2, 0);
    head->addWidget(TextKeywords, 2, 1, 1, 2);
    head->addWidget(LabelBackgroundImage, 3, 0);
    head->addWidget(TextBackgroundImage, 3, 1);
    head->addWidget(BtnBrowseBackgroundImage, 3, 2);

    LabelBackground = label("LabelBackground");
    LabelText = label("LabelText");
    LabelLinks = label("LabelLinks");
    LabelVisitedLinks = label("LabelVisitedLinks");
    LabelActiveLinks = label("LabelActiveLinks");
    QLabel* colourLabels[5] = {LabelBackground, LabelText, LabelLinks, LabelVisitedLinks, LabelActiveLinks};
    auto* colours = new QGridLayout;
    for (int i = 0; i < 5; ++i) {
        PictureColour[i] = Named(new QLabel(this), Indexed("PictureColour", i));
        PictureColour[i]->setFixedSize(40, 20);
        PictureColour[i]->setFrameShape(QFrame::Box);
        PictureColour[i]->setCursor(Qt::PointingHandCursor);
        ComboColour[i] = NewEditableComboBox(this, Indexed("ComboColour", i));
        ComboColour[i]->setMinimumContentsLength(16);
        colourLabels[i]->setBuddy(ComboColour[i]);
        colours->addWidget(colourLabels[i], i, 0);
        colours->addWidget(PictureColour[i], i, 1);
        colours->addWidget(ComboColour[i], i, 2);
        connect(ComboColour[i], &QComboBox::activated, this, [this, i] { ResumeNext([&] { ComboColour_Click(i); }); });
    }

    LabelLeftMargin = label("LabelLeftMargin");
    LabelTopMargin = label("LabelTopMargin");
    LabelMarginWidth = label("LabelMarginWidth");
    LabelMarginHeight = label("LabelMarginHeight");
    QLabel* marginLabels[4] = {LabelLeftMargin, LabelTopMargin, LabelMarginWidth, LabelMarginHeight};
    auto* margins = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        TextMargin[i] = Named(new QLineEdit(this), Indexed("TextMargin", i));
        TextMargin[i]->setFixedWidth(60);
        marginLabels[i]->setBuddy(TextMargin[i]);
        margins->addWidget(marginLabels[i], i, 0);
        margins->addWidget(TextMargin[i], i, 1);
        connect(TextMargin[i], &QLineEdit::textChanged, this, [this, i] { ResumeNext([&] { TextMargin_Change(i); }); });
    }
    margins->setRowStretch(4, 1);

    OKButton = Named(new QPushButton(this), QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = Named(new QPushButton(this), QStringLiteral("CancelButton"));
    CancelButton->setAutoDefault(false);
    connect(OKButton, &QPushButton::clicked, this, [this] { ResumeNext([&] { OKButton_Click(); }); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { ResumeNext([&] { CancelButton_Click(); }); });

    auto* middle = new QHBoxLayout;
    middle->addLayout(colours);
    middle->addSpacing(16);
    middle->addLayout(margins);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addLayout(middle);
    layout->addLayout(buttons);

    // The swatches take clicks, the colour boxes report leaving, and every
    // key passes the help key on.
    for (QWidget* control : findChildren<QWidget*>()) control->installEventFilter(this);
    installEventFilter(this);
}

void DialogHTMLPageProperties::InitialiseDialogText() {
    WithTrail(QStringLiteral("InitialiseDialogText"), [&] {
        using namespace TextId::CataloguerPage;
        setWindowTitle(GetResourceString(Caption));
        const std::pair<QLabel*, std::pair<int32_t, int32_t>> fields[] = {
            {LabelTitle, {Title, TitleTip}},
            {LabelDescription, {Description, DescriptionTip}},
            {LabelKeywords, {Keywords, KeywordsTip}},
            {LabelBackgroundImage, {BackgroundImage, BackgroundImageTip}},
            {LabelBackground, {Background, BackgroundTip}},
            {LabelText, {Text, TextTip}},
            {LabelLinks, {Links, LinksTip}},
            {LabelVisitedLinks, {VisitedLinks, VisitedLinksTip}},
            {LabelActiveLinks, {ActiveLinks, ActiveLinksTip}},
            {LabelLeftMargin, {LeftMargin, LeftMarginTip}},
            {LabelTopMargin, {TopMargin, TopMarginTip}},
            {LabelMarginWidth, {MarginWidth, MarginWidthTip}},
            {LabelMarginHeight, {MarginHeight, MarginHeightTip}}};
        for (const auto& [control, texts] : fields) {
            control->setText(GetResourceString(texts.first));
            control->setToolTip(GetResourceString(texts.second));
            if (control->buddy()) control->buddy()->setToolTip(GetResourceString(texts.second));
        }
        for (QLabel* swatch : PictureColour) swatch->setToolTip(GetResourceString(SwatchTip));
        for (QComboBox* combo : ComboColour) combo->setToolTip(GetResourceString(ColourListTip));
        BtnBrowseBackgroundImage->setText(GetResourceString(Browse));
        OKButton->setText(GetResourceString(TextId::Common::OK));
        CancelButton->setText(GetResourceString(TextId::Common::Cancel));
    });
}

// ---- handlers -------------------------------------------------------------------------

void DialogHTMLPageProperties::BtnBrowseBackgroundImage_Click() {
    using namespace TextId::CataloguerPage;
    const QString filter = GetResourceString(ImageFiles) + QStringLiteral("|*.gif;*.jpg;*.jpeg;*.png|") +
                           GetResourceString(AllFiles) + QStringLiteral("|*.*");
    QString chosen;
    if (DisplayCommonDialogOpen(CommonDialogFile, GetResourceString(SelectImageSource), filter, chosen, QString()))
        TextBackgroundImage->setText(chosen);
}

void DialogHTMLPageProperties::ComboColour_Click(int index) {
    HTMLColourIntoPictureBox(ComboColour[index], PictureColour[index]);
}

void DialogHTMLPageProperties::ComboColour_LostFocus(int index) {
    HTMLColourIntoPictureBox(ComboColour[index], PictureColour[index]);
}

void DialogHTMLPageProperties::PictureColour_Click(int index) {
    if (!ColourFromDialog(CommonDialogColour, PictureColour[index], Cdl::CCFullOpen)) return;
    ComboColour[index]->setEditText(VB2HTMLColour(SwatchColour(PictureColour[index]), true));
}

void DialogHTMLPageProperties::TextMargin_Change(int index) {
    EnsureNumericTextBox(TextMargin[index], false, false, false);
}

void DialogHTMLPageProperties::OKButton_Click() {
    // A colour box may still hold a text that was never checked (it kept the
    // focus up to OK): nothing is stored until every colour is one the page
    // writer can use.
    for (int i = 0; i < 5; ++i) {
        if (IsColourBoxText(ComboColour[i]->currentText())) continue;
        ComboColour_LostFocus(i);
        ComboColour[i]->setFocus();
        return;
    }
    ResumeNext([&] { TakeSettings().Write(); });
    ResumeNext([&] { GetHTMLPageProperties(); });
    Unload();
    accept();
}

bool DialogHTMLPageProperties::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        for (int i = 0; i < 5; ++i)
            if (watched == PictureColour[i]) {
                ResumeNext([&] { PictureColour_Click(i); });
                return true;
            }
    }
    if (event->type() == QEvent::FocusOut && !Unloaded() &&
        LeavingToCheck(static_cast<QFocusEvent*>(event), OKButton, CancelButton)) {
        for (int i = 0; i < 5; ++i)
            if (watched == ComboColour[i]) ResumeNext([&] { ComboColour_LostFocus(i); });
    }
    QWidget* first = focusWidget() ? focusWidget() : this;
    if (event->type() == QEvent::KeyPress && watched == first) {
        auto* key = static_cast<QKeyEvent*>(event);
        ResumeNext([&] { DisplayHelpTopic(kHelpTopic, static_cast<int16_t>(PlatformKeyCode(key->key()))); });
    }
    return QDialog::eventFilter(watched, event);
}

// ---- settings -------------------------------------------------------------------------

HTMLPagePropertiesSettings DialogHTMLPageProperties::TakeSettings() const {
    HTMLPagePropertiesSettings s;
    s.TextTitle = TextTitle->text();
    s.TextDescription = TextDescription->text();
    s.TextKeywords = TextKeywords->text();
    s.TextBackgroundImage = TextBackgroundImage->text();
    for (int i = 0; i < 5; ++i) s.ComboColour[i] = ComboColour[i]->currentText();
    for (int i = 0; i < 4; ++i) s.TextMargin[i] = TextMargin[i]->text();
    return s;
}

void DialogHTMLPageProperties::ShowSettings(const HTMLPagePropertiesSettings& s) {
    TextTitle->setText(s.TextTitle);
    TextDescription->setText(s.TextDescription);
    TextKeywords->setText(s.TextKeywords);
    TextBackgroundImage->setText(s.TextBackgroundImage);
    for (int i = 0; i < 5; ++i) {
        ComboColour[i]->setEditText(s.ComboColour[i]);
        ResumeNext([&] { ComboColour_LostFocus(i); });
    }
    for (int i = 0; i < 4; ++i) TextMargin[i]->setText(s.TextMargin[i]);
}

void ShowHTMLPageProperties(QWidget* parent) {
    try {
        DialogHTMLPageProperties dialog(parent);
        dialog.exec();
    } catch (...) {
        DisplayErrorMessage();
    }
}
