#include "encoder/ui/EncoderOptionsDialog.h"

#include "encoder/LameSwitches.h"
#include "encoder/OptionRules.h"
#include "foundation/Errors.h"
#include "foundation/Help.h"
#include "foundation/MessageUi.h"
#include "foundation/ReadOptions.h"
#include "foundation/ResourceStrings.h"
#include "foundation/SettingsStore.h"
#include "options/ControlSettings.h"
#include "scanning/ui/WindowServices.h"
#include "shell/menus/ui/KeyRouter.h"
#include "shell/menus/ui/OptionDialogs.h"
#include "shell/ui/ControlUtils.h"
#include "shell/ui/PlainControls.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStackedWidget>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <functional>
#include <memory>

namespace {

constexpr int kHelpTopic = 12;

QString Text(int32_t id) { return GetResourceString(id); }

// The tool tips of the three lists whose tip follows the selected item.
const int32_t kModeTips[] = {TextId::EncoderOptions::ModeDefaultTip,     TextId::EncoderOptions::ModeStereoTip,
                             TextId::EncoderOptions::ModeJointStereoTip, TextId::EncoderOptions::ModeForcedJointStereoTip,
                             TextId::EncoderOptions::ModeDualChannelTip, TextId::EncoderOptions::ModeMonoTip,
                             TextId::EncoderOptions::ModeAutoTip};
const int32_t kOptimisationTips[] = {TextId::EncoderOptions::OptimizationNoneTip,
                                     TextId::EncoderOptions::OptimizationSpeedTip,
                                     TextId::EncoderOptions::OptimizationQualityTip};
const int32_t kATHTips[] = {TextId::EncoderOptions::ATHNoneTip, TextId::EncoderOptions::ATHOnlyTip,
                            TextId::EncoderOptions::NoATHTip, TextId::EncoderOptions::ATHShortTip};

// A spinner of two arrow buttons beside a number box (not bound to it).
QWidget* MakeSpinner(QWidget* parent, const char* name, std::function<void(int)> step) {
    auto* spinner = Named(new QWidget(parent), name);
    auto* column = new QVBoxLayout(spinner);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    for (const int direction : {1, -1}) {
        auto* arrow = new QToolButton(spinner);
        arrow->setObjectName(QLatin1String(name) + (direction > 0 ? QStringLiteral("Up") : QStringLiteral("Down")));
        arrow->setArrowType(direction > 0 ? Qt::UpArrow : Qt::DownArrow);
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setFixedSize(16, 11);
        QObject::connect(arrow, &QToolButton::clicked, spinner, [step, direction] { ResumeNext([&] { step(direction); }); });
        column->addWidget(arrow);
    }
    return spinner;
}

}  // namespace

DialogEncoderDecoderOptions::DialogEncoderDecoderOptions(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DialogEncoderDecoderOptions"));
    setModal(true);
    BuildControls();
    ResumeNext([&] { InitialiseDialogText(); });
    ResumeNext([&] { ReadWindowPos(this); });
    ResumeNext([&] {
        EncoderOptionSettings settings = TakeSettings();
        ReadThenShow([&] { settings.Read(); }, [&] { ShowSettings(settings); });
    });
    TabStripOptions->setCurrentIndex(0);
    TabStripOptions_Click(0);
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this, [this](QWidget* from, QWidget* to) {
        if (m_checkingFocus || !from || !isAncestorOf(from) || !to || !isAncestorOf(to)) return;
        m_refusedBox = nullptr;
        if (!FocusLeaving(from, to)) {
            m_refusedBox = from;
            m_checkingFocus = true;
            from->setFocus(Qt::OtherFocusReason);
            m_checkingFocus = false;
        }
    });
}

DialogEncoderDecoderOptions::~DialogEncoderDecoderOptions() {
    // The focus moves while the dialog's base part takes its boxes down; by
    // then this part is gone and must hear nothing more.
    disconnect(m_focusWatch);
}

void DialogEncoderDecoderOptions::BuildControls() {
    auto* layout = new QVBoxLayout(this);
    TabStripOptions = Named(new QTabBar(this), "TabStripOptions");
    for (const char* caption : {"&General", "&Advanced", "&VBR", "&Expert", "Audio &Processing"})
        TabStripOptions->addTab(QString::fromLatin1(caption));
    layout->addWidget(TabStripOptions);
    Pages = Named(new QStackedWidget(this), "Pages");
    Pages->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(Pages);
    for (int i = 0; i < 5; ++i) {
        FrameOptions[size_t(i)] = new QWidget(Pages);
        FrameOptions[size_t(i)]->setObjectName(QStringLiteral("FrameOptions%1").arg(i));
        Pages->addWidget(FrameOptions[size_t(i)]);
    }
    auto label = [](QWidget* parent, const char* name) { return Named(new QLabel(parent), name); };
    auto check = [](QWidget* parent, const char* name) { return Named(new QCheckBox(parent), name); };
    auto box = [](QWidget* parent, const char* name) { return Named(new QLineEdit(parent), name); };

    // ---- General ----
    {
        QWidget* page = FrameOptions[0];
        auto* grid = new QGridLayout(page);
        FrameBitrate = Named(new QGroupBox(page), "FrameBitrate");
        auto* bitrate = new QGridLayout(FrameBitrate);
        LabelCurrentBitrate[0] = label(FrameBitrate, "LabelCurrentBitrate0");
        SliderBitrate[0] = Named(new QSlider(Qt::Horizontal, FrameBitrate), "SliderBitrate0");
        LabelPoorQuality = label(FrameBitrate, "LabelPoorQuality");
        LabelSmallFile = label(FrameBitrate, "LabelSmallFile");
        LabelGoodQuality = label(FrameBitrate, "LabelGoodQuality");
        LabelBigFile = label(FrameBitrate, "LabelBigFile");
        LabelGoodQuality->setAlignment(Qt::AlignRight);
        LabelBigFile->setAlignment(Qt::AlignRight);
        bitrate->addWidget(LabelCurrentBitrate[0], 0, 0, 1, 2);
        bitrate->addWidget(SliderBitrate[0], 1, 0, 1, 2);
        bitrate->addWidget(LabelPoorQuality, 2, 0);
        bitrate->addWidget(LabelGoodQuality, 2, 1);
        bitrate->addWidget(LabelSmallFile, 3, 0);
        bitrate->addWidget(LabelBigFile, 3, 1);
        FrameMode = Named(new QGroupBox(page), "FrameMode");
        auto* mode = new QVBoxLayout(FrameMode);
        ComboMode = Named(new QComboBox(FrameMode), "ComboMode");
        ComboMode->addItems({"Default", "Stereo", "Joint-stereo", "Forced joint-stereo", "Dual channels", "Mono", "Auto"});
        mode->addWidget(ComboMode);
        mode->addStretch();
        FrameOutputDirectory = Named(new QGroupBox(page), "FrameOutputDirectory");
        auto* out = new QGridLayout(FrameOutputDirectory);
        OptionSameAsInputDir = Named(new QRadioButton(FrameOutputDirectory), "OptionSameAsInputDir");
        OptionUse = Named(new QRadioButton(FrameOutputDirectory), "OptionUse");
        TextUse = box(FrameOutputDirectory, "TextUse");
        TextUse->setReadOnly(true);
        BtnBrowse = Named(new QPushButton(FrameOutputDirectory), "BtnBrowse");
        BtnBrowse->setAutoDefault(false);
        out->addWidget(OptionSameAsInputDir, 0, 0, 1, 3);
        out->addWidget(OptionUse, 1, 0);
        out->addWidget(TextUse, 1, 1);
        out->addWidget(BtnBrowse, 1, 2);
        grid->addWidget(FrameBitrate, 0, 0);
        grid->addWidget(FrameMode, 0, 1);
        grid->addWidget(FrameOutputDirectory, 1, 0, 1, 2);
        grid->setRowStretch(2, 1);
        grid->setColumnStretch(0, 3);
        grid->setColumnStretch(1, 2);
    }
    // ---- Advanced ----
    {
        QWidget* page = FrameOptions[1];
        auto* grid = new QGridLayout(page);
        LabelOptimisation = label(page, "LabelOptimisation");
        ComboOptimisation = Named(new QComboBox(page), "ComboOptimisation");
        ComboOptimisation->addItems({"None", "Speed", "Quality"});
        LabelOptimisation->setBuddy(ComboOptimisation);
        CheckIncCRCChecksums = check(page, "CheckIncCRCChecksums");
        FrameFlags = Named(new QGroupBox(page), "FrameFlags");
        auto* flags = new QVBoxLayout(FrameFlags);
        CheckCopy = check(FrameFlags, "CheckCopy");
        CheckCopyright = check(FrameFlags, "CheckCopyright");
        flags->addWidget(CheckCopy);
        flags->addWidget(CheckCopyright);
        CheckDeleteSourceFile = check(page, "CheckDeleteSourceFile");
        grid->addWidget(LabelOptimisation, 0, 0);
        grid->addWidget(ComboOptimisation, 0, 1);
        grid->addWidget(CheckIncCRCChecksums, 1, 0, 1, 2);
        grid->addWidget(FrameFlags, 2, 0, 1, 2);
        grid->addWidget(CheckDeleteSourceFile, 3, 0, 1, 2);
        grid->setRowStretch(4, 1);
        grid->setColumnStretch(2, 1);
    }
    // ---- VBR ----
    {
        QWidget* page = FrameOptions[2];
        auto* grid = new QGridLayout(page);
        CheckEnableVBR = check(page, "CheckEnableVBR");
        LabelQuality = label(page, "LabelQuality");
        TextQuality = box(page, "TextQuality");
        TextQuality->setMaxLength(kQualityBox.maxLength);
        TextQuality->setFixedWidth(40);
        LabelQuality->setBuddy(TextQuality);
        UpDownQuality = MakeSpinner(page, "UpDownQuality", [this](int d) { UpDownQuality_Click(d); });
        CheckUseABR = check(page, "CheckUseABR");
        LabelTargetBitrateABR = label(page, "LabelTargetBitrateABR");
        TextTargetBitrateForABR = box(page, "TextTargetBitrateForABR");
        TextTargetBitrateForABR->setMaxLength(kABRTargetBox.maxLength);
        TextTargetBitrateForABR->setFixedWidth(50);
        LabelTargetBitrateABR->setBuddy(TextTargetBitrateForABR);
        UpDownTargetBitrateForABR =
            MakeSpinner(page, "UpDownTargetBitrateForABR", [this](int d) { UpDownTargetBitrateForABR_Click(d); });
        FrameMaximumVBRBitrate = Named(new QGroupBox(page), "FrameMaximumVBRBitrate");
        auto* maximum = new QVBoxLayout(FrameMaximumVBRBitrate);
        LabelCurrentBitrate[1] = label(FrameMaximumVBRBitrate, "LabelCurrentBitrate1");
        SliderBitrate[1] = Named(new QSlider(Qt::Horizontal, FrameMaximumVBRBitrate), "SliderBitrate1");
        maximum->addWidget(LabelCurrentBitrate[1]);
        maximum->addWidget(SliderBitrate[1]);
        CheckDisableVBRTag = check(page, "CheckDisableVBRTag");
        CheckEnforceMinBitrate = check(page, "CheckEnforceMinBitrate");
        grid->addWidget(CheckEnableVBR, 0, 0, 1, 4);
        grid->addWidget(LabelQuality, 1, 0);
        grid->addWidget(TextQuality, 1, 1);
        grid->addWidget(UpDownQuality, 1, 2);
        grid->addWidget(CheckUseABR, 2, 0, 1, 4);
        grid->addWidget(LabelTargetBitrateABR, 3, 0);
        grid->addWidget(TextTargetBitrateForABR, 3, 1);
        grid->addWidget(UpDownTargetBitrateForABR, 3, 2);
        grid->addWidget(FrameMaximumVBRBitrate, 4, 0, 1, 4);
        grid->addWidget(CheckDisableVBRTag, 5, 0, 1, 4);
        grid->addWidget(CheckEnforceMinBitrate, 6, 0, 1, 4);
        grid->setColumnStretch(3, 1);
        grid->setRowStretch(7, 1);
    }
    // ---- Expert ----
    {
        QWidget* page = FrameOptions[3];
        auto* grid = new QGridLayout(page);
        CheckAllowBlockTypesToDiffer = check(page, "CheckAllowBlockTypesToDiffer");
        CheckDisableAllFiltering = check(page, "CheckDisableAllFiltering");
        CheckDisableBitReservoir = check(page, "CheckDisableBitReservoir");
        CheckDisableShortBlocks = check(page, "CheckDisableShortBlocks");
        CheckComplyISOMPEGSpec = check(page, "CheckComplyISOMPEGSpec");
        LabelATHControl = label(page, "LabelATHControl");
        ComboATHControl = Named(new QComboBox(page), "ComboATHControl");
        ComboATHControl->addItems({"Default", "Only", "Disabled", "Only for short blocks"});
        LabelATHControl->setBuddy(ComboATHControl);
        LabelAlgorithmQuality = label(page, "LabelAlgorithmQuality");
        ComboAlgorithmQuality = Named(new QComboBox(page), "ComboAlgorithmQuality");
        ComboAlgorithmQuality->addItem(QStringLiteral("Default"));
        for (int d = 0; d <= 9; ++d) ComboAlgorithmQuality->addItem(QString::number(d));
        LabelAlgorithmQuality->setBuddy(ComboAlgorithmQuality);
        LabelCustomOptions = label(page, "LabelCustomOptions");
        TextCustomOptions = box(page, "TextCustomOptions");
        LabelCustomOptions->setBuddy(TextCustomOptions);
        CheckOnlyUseCustom = check(page, "CheckOnlyUseCustom");
        int r = 0;
        for (QCheckBox* c : {CheckAllowBlockTypesToDiffer, CheckDisableAllFiltering, CheckDisableBitReservoir,
                             CheckDisableShortBlocks, CheckComplyISOMPEGSpec})
            grid->addWidget(c, r++, 0, 1, 2);
        grid->addWidget(LabelATHControl, r, 0);
        grid->addWidget(ComboATHControl, r++, 1);
        grid->addWidget(LabelAlgorithmQuality, r, 0);
        grid->addWidget(ComboAlgorithmQuality, r++, 1);
        grid->addWidget(LabelCustomOptions, r, 0);
        grid->addWidget(TextCustomOptions, r++, 1);
        grid->addWidget(CheckOnlyUseCustom, r++, 0, 1, 2);
        grid->setRowStretch(r, 1);
        grid->setColumnStretch(1, 1);
    }
    // ---- Audio processing ----
    {
        QWidget* page = FrameOptions[4];
        auto* grid = new QGridLayout(page);
        LabelOutputSamplingFrequency = label(page, "LabelOutputSamplingFrequency");
        ComboOutputSamplingFrequency = Named(new QComboBox(page), "ComboOutputSamplingFrequency");
        ComboOutputSamplingFrequency->addItems({"Default", "8 kHz", "11.025 kHz", "12 kHz", "16 kHz", "22.05 kHz",
                                                "24 kHz", "32 kHz", "44.1 kHz", "48 kHz"});
        LabelOutputSamplingFrequency->setBuddy(ComboOutputSamplingFrequency);
        auto filter = [&](const char* frameName, const char* freqCheck, const char* freqBox, const char* widthCheck,
                          const char* widthBox, QGroupBox*& frame, QCheckBox*& fc, QLineEdit*& fb, QCheckBox*& wc,
                          QLineEdit*& wb) {
            frame = Named(new QGroupBox(page), frameName);
            auto* g = new QGridLayout(frame);
            fc = check(frame, freqCheck);
            fb = box(frame, freqBox);
            wc = check(frame, widthCheck);
            wb = box(frame, widthBox);
            fb->setFixedWidth(90);
            wb->setFixedWidth(90);
            g->addWidget(fc, 0, 0);
            g->addWidget(fb, 0, 1);
            g->addWidget(wc, 1, 0);
            g->addWidget(wb, 1, 1);
            g->setColumnStretch(0, 1);
        };
        filter("FrameHighPassFilter", "CheckHighPassFreq", "TextHighPassFreq", "CheckHighPassWidth",
               "TextHighPassWidth", FrameHighPassFilter, CheckHighPassFreq, TextHighPassFreq, CheckHighPassWidth,
               TextHighPassWidth);
        filter("FrameLowPassFilter", "CheckLowPassFreq", "TextLowPassFreq", "CheckLowPassWidth", "TextLowPassWidth",
               FrameLowPassFilter, CheckLowPassFreq, TextLowPassFreq, CheckLowPassWidth, TextLowPassWidth);
        grid->addWidget(LabelOutputSamplingFrequency, 0, 0);
        grid->addWidget(ComboOutputSamplingFrequency, 0, 1);
        grid->addWidget(FrameHighPassFilter, 1, 0, 1, 3);
        grid->addWidget(FrameLowPassFilter, 2, 0, 1, 3);
        grid->setRowStretch(3, 1);
        grid->setColumnStretch(2, 1);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    OKButton = Named(new QPushButton(this), "OKButton");
    CancelButton = Named(new QPushButton(this), "CancelButton");
    OKButton->setDefault(true);
    CancelButton->setAutoDefault(false);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    layout->addLayout(buttons);

    for (QSlider* slider : SliderBitrate) {
        slider->setRange(1, 18);
        slider->setSingleStep(1);
        slider->setPageStep(1);
        slider->setTickPosition(QSlider::TicksBelow);
        slider->setValue(12);
    }

    // ---- reactions ----
    connect(TabStripOptions, &QTabBar::currentChanged, this, [this](int tab) { ResumeNext([&] { TabStripOptions_Click(tab); }); });
    for (int i = 0; i < 2; ++i)
        connect(SliderBitrate[size_t(i)], &QSlider::valueChanged, this, [this, i] { ResumeNext([&] { SliderBitrate_Scroll(i); }); });
    for (QComboBox* combo : {ComboMode, ComboOptimisation, ComboATHControl})
        connect(combo, &QComboBox::currentIndexChanged, this, [this, combo] { ResumeNext([&] { ComboToolTip(combo); }); });
    // Every box and option that the enabling table reads applies it whole.
    for (QCheckBox* c : {CheckOnlyUseCustom, CheckEnableVBR, CheckUseABR, CheckHighPassFreq, CheckHighPassWidth,
                         CheckLowPassFreq, CheckLowPassWidth})
        connect(c, &QCheckBox::toggled, this, [this] { ResumeNext([&] { CheckOnlyUseCustom_Click(); }); });
    for (QRadioButton* o : {OptionSameAsInputDir, OptionUse})
        connect(o, &QRadioButton::toggled, this, [this] { ResumeNext([&] { CheckOnlyUseCustom_Click(); }); });
    const std::pair<QLineEdit*, NumberBoxRule> numbers[] = {{TextQuality, kQualityBox},
                                                            {TextTargetBitrateForABR, kABRTargetBox},
                                                            {TextHighPassFreq, kFrequencyBox},
                                                            {TextLowPassFreq, kFrequencyBox},
                                                            {TextHighPassWidth, kWidthBox},
                                                            {TextLowPassWidth, kWidthBox}};
    for (const auto& [numberBox, rule] : numbers)
        connect(numberBox, &QLineEdit::textChanged, this, [b = numberBox, r = rule] {
            ResumeNext([&] { EnsureNumericTextBox(b, r.allowZero, r.allowMinus, r.allowDecimal); });
        });
    // A refusal is forgotten once the box holds another value.
    for (QLineEdit* b : {TextHighPassFreq, TextLowPassFreq})
        connect(b, &QLineEdit::textChanged, this, [this] { m_refusedBox = nullptr; });
    connect(BtnBrowse, &QPushButton::clicked, this, [this] { ResumeNext([&] { BtnBrowse_Click(); }); });
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButton_Click(); });

    // F1 and the arrow keys of the number boxes: every child reports here.
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
    installEventFilter(this);
}

void DialogEncoderDecoderOptions::InitialiseDialogText() {
    WithTrail(QStringLiteral("InitialiseDialogText"), [&] {
        using namespace TextId::EncoderOptions;
        setWindowTitle(Text(Caption));
        FrameMode->setTitle(Text(Mode));
        FrameBitrate->setTitle(Text(Bitrate));
        LabelPoorQuality->setText(Text(PoorQuality));
        LabelGoodQuality->setText(Text(GoodQuality));
        LabelSmallFile->setText(Text(SmallFile));
        LabelBigFile->setText(Text(BigFile));
        FrameOutputDirectory->setTitle(Text(OutputDirectory));
        OptionSameAsInputDir->setText(Text(SameAsInputDirectory));
        OptionUse->setText(Text(Use));
        BtnBrowse->setText(Text(Browse));
        LabelOptimisation->setText(Text(Optimization));
        CheckIncCRCChecksums->setText(Text(IncludeCRCChecksums));
        FrameFlags->setTitle(Text(Flags));
        CheckCopy->setText(Text(Copy));
        CheckCopyright->setText(Text(Copyright));
        CheckDeleteSourceFile->setText(Text(DeleteSourceFileAfterProcessing));
        CheckEnableVBR->setText(Text(EnableVariableBitrateVBR));
        FrameMaximumVBRBitrate->setTitle(Text(MaximumVBRBitrate));
        LabelQuality->setText(Text(Quality));
        CheckDisableVBRTag->setText(Text(DisableWritingVBRTag));
        CheckEnforceMinBitrate->setText(Text(StrictlyEnforceMinimumBitrate));
        CheckUseABR->setText(Text(UseABRInsteadVBR));
        LabelTargetBitrateABR->setText(Text(TargetBitrateForABR));
        CheckAllowBlockTypesToDiffer->setText(Text(AllowBlockTypesDifferBetween));
        CheckDisableAllFiltering->setText(Text(DisableAllFiltering));
        CheckDisableBitReservoir->setText(Text(DisableBitReservoir));
        CheckDisableShortBlocks->setText(Text(DisableShortBlocks));
        CheckComplyISOMPEGSpec->setText(Text(ComplyMuchPossibleISOMPEG));
        LabelATHControl->setText(Text(ATHControl));
        LabelAlgorithmQuality->setText(Text(AlgorithmQuality));
        LabelCustomOptions->setText(Text(CustomOptions));
        CheckOnlyUseCustom->setText(Text(OnlyUseCustomOptions));
        LabelOutputSamplingFrequency->setText(Text(OutputSamplingFrequency));
        FrameHighPassFilter->setTitle(Text(HighPassFilter));
        CheckHighPassFreq->setText(Text(HighPassFilteringFrequencyKHz));
        CheckHighPassWidth->setText(Text(WidthHighPassFilterKHz));
        FrameLowPassFilter->setTitle(Text(LowPassFilter));
        CheckLowPassFreq->setText(Text(LowPassFilteringFrequencyKHz));
        CheckLowPassWidth->setText(Text(WidthLowPassFilterKHz));
        OKButton->setText(Text(TextId::Common::OK));
        CancelButton->setText(Text(TextId::Common::Cancel));
        for (QLabel* l : LabelCurrentBitrate) l->setText(Text(CurrentBitrate) + QStringLiteral("128 kbit"));
        // Tool tips.
        const std::pair<QWidget*, int32_t> tips[] = {
            {FrameMode, ModeTip},
            {FrameBitrate, BitrateTip},
            {SliderBitrate[0], BitrateTip},
            {LabelCurrentBitrate[0], BitrateTip},
            {FrameOutputDirectory, OutputDirectoryTip},
            {CheckIncCRCChecksums, IncludeCRCTip},
            {CheckCopy, CopyTip},
            {CheckCopyright, CopyrightTip},
            {CheckDeleteSourceFile, DeleteSourceFileTip},
            {CheckEnableVBR, EnableVBRTip},
            {LabelQuality, QualityTip},
            {TextQuality, QualityTip},
            {UpDownQuality, QualityTip},
            {CheckUseABR, UseABRTip},
            {FrameMaximumVBRBitrate, MaximumVBRBitrateTip},
            {SliderBitrate[1], MaximumVBRBitrateTip},
            {LabelCurrentBitrate[1], MaximumVBRBitrateTip},
            {CheckDisableVBRTag, DisableVBRTagTip},
            {CheckEnforceMinBitrate, EnforceMinimumBitrateTip},
            {CheckAllowBlockTypesToDiffer, AllowBlockTypesTip},
            {CheckDisableAllFiltering, DisableFilteringTip},
            {CheckDisableBitReservoir, DisableBitReservoirTip},
            {CheckDisableShortBlocks, DisableShortBlocksTip},
            {CheckComplyISOMPEGSpec, ComplyISOTip},
            {LabelAlgorithmQuality, AlgorithmQualityTip},
            {ComboAlgorithmQuality, AlgorithmQualityTip},
            {LabelCustomOptions, CustomOptionsTip},
            {TextCustomOptions, CustomOptionsTip},
            {CheckOnlyUseCustom, OnlyUseCustomTip},
            {LabelOutputSamplingFrequency, SamplingFrequencyTip},
            {ComboOutputSamplingFrequency, SamplingFrequencyTip},
            {CheckHighPassFreq, HighPassFrequencyTip},
            {TextHighPassFreq, HighPassFrequencyTip},
            {CheckHighPassWidth, HighPassWidthTip},
            {TextHighPassWidth, HighPassWidthTip},
            {CheckLowPassFreq, LowPassFrequencyTip},
            {TextLowPassFreq, LowPassFrequencyTip},
            {CheckLowPassWidth, LowPassWidthTip},
            {TextLowPassWidth, LowPassWidthTip},
        };
        for (const auto& [control, tip] : tips) control->setToolTip(Text(tip));
        for (QComboBox* combo : {ComboMode, ComboOptimisation, ComboATHControl}) ComboToolTip(combo);
    });
}

void DialogEncoderDecoderOptions::ComboToolTip(QComboBox* combo) {
    const int i = combo->currentIndex();
    auto tip = [&](const auto& list) {
        if (i >= 0 && size_t(i) < std::size(list)) combo->setToolTip(Text(list[size_t(i)]));
    };
    if (combo == ComboMode) tip(kModeTips);
    else if (combo == ComboOptimisation) tip(kOptimisationTips);
    else if (combo == ComboATHControl) tip(kATHTips);
}

void DialogEncoderDecoderOptions::CheckOnlyUseCustom_Click() {
    EncoderOptionConditions c;
    c.onlyUseCustom = CheckOnlyUseCustom->isChecked();
    c.enableVBR = CheckEnableVBR->isChecked();
    c.useABR = CheckUseABR->isChecked();
    c.highPassFreq = CheckHighPassFreq->isChecked();
    c.highPassWidth = CheckHighPassWidth->isChecked();
    c.lowPassFreq = CheckLowPassFreq->isChecked();
    c.lowPassWidth = CheckLowPassWidth->isChecked();
    c.useFolder = OptionUse->isChecked();
    for (const ControlState& state : EncoderControlStates(c))
        if (QWidget* w = findChild<QWidget*>(QLatin1String(state.name))) w->setEnabled(state.enabled);
}

void DialogEncoderDecoderOptions::SliderBitrate_Scroll(int Index) {
    if (Index < 0 || Index > 1) return;
    LabelCurrentBitrate[size_t(Index)]->setText(Text(TextId::EncoderOptions::CurrentBitrate) +
                                                LameBitrateText(SliderBitrate[size_t(Index)]->value()) +
                                                QStringLiteral(" kbit"));
}

void DialogEncoderDecoderOptions::TabStripOptions_Click(int tab) {
    for (QWidget* frame : FrameOptions) frame->setEnabled(false);
    if (tab < 0 || tab > 4) return;
    Pages->setCurrentIndex(tab);
    FrameOptions[size_t(tab)]->setEnabled(true);
}

void DialogEncoderDecoderOptions::BtnBrowse_Click() {
    const QString folder = BrowseForFolder(this, Text(TextId::EncoderOptions::OutputDirectoryPrompt));
    if (!folder.isEmpty()) TextUse->setText(folder);
}

void DialogEncoderDecoderOptions::UpDownQuality_Click(int direction) {
    IncDecTextBox(TextQuality, direction, direction > 0 ? kMaxVBRQuality : kMinVBRQuality, 1);
}

void DialogEncoderDecoderOptions::UpDownTargetBitrateForABR_Click(int direction) {
    IncDecTextBox(TextTargetBitrateForABR, direction, direction > 0 ? kMaxABRTarget : kMinABRTarget, 1);
}

bool DialogEncoderDecoderOptions::FrequencyBoxAccepted(QLineEdit* box) {
    if (!box->isEnabled() || FilterFrequencyAccepted(box->text())) return true;
    MsgBox(Text(TextId::Encoder::FrequencyOutOfRangeText), Mb::OKOnly, Text(TextId::Encoder::FrequencyOutOfRange));
    return false;
}

bool DialogEncoderDecoderOptions::FocusLeaving(QWidget* from, QWidget* to) {
    if (from == TextTargetBitrateForABR) {
        const QString clamped = ABRTargetOnLeaving(TextTargetBitrateForABR->text());
        if (clamped != TextTargetBitrateForABR->text()) TextTargetBitrateForABR->setText(clamped);
    }
    // Cancel always leaves: no check stands in its way.
    if (to == CancelButton) return true;
    if (from == TextHighPassFreq || from == TextLowPassFreq)
        return FrequencyBoxAccepted(static_cast<QLineEdit*>(from));
    return true;
}

void DialogEncoderDecoderOptions::OKButton_Click() {
    // Enter presses OK without leaving the box it was typed in: the leaving
    // checks of that box come first, and a frequency out of range keeps the
    // dialog open with the focus in the box.
    QWidget* focused = focusWidget();
    // A refusal of the focus move that the click on OK itself made was shown.
    if (m_refusedBox && focused == m_refusedBox) {
        m_refusedBox = nullptr;
        return;
    }
    if (focused && focused != OKButton && !FocusLeaving(focused, OKButton)) {
        m_refusedBox = focused;
        focused->setFocus();
        return;
    }
    // A filter in use with a frequency out of range (as stored before, say)
    // is never stored: LAME would refuse it.
    const bool switches = !CheckOnlyUseCustom->isChecked();
    const std::pair<QCheckBox*, QLineEdit*> filters[] = {{CheckHighPassFreq, TextHighPassFreq},
                                                         {CheckLowPassFreq, TextLowPassFreq}};
    for (const auto& [check, box] : filters) {
        if (!switches || !check->isChecked() || FilterFrequencyAccepted(box->text())) continue;
        MsgBox(Text(TextId::Encoder::FrequencyOutOfRangeText), Mb::OKOnly, Text(TextId::Encoder::FrequencyOutOfRange));
        TabStripOptions->setCurrentIndex(4);
        box->setFocus();
        return;
    }
    ResumeNext([&] { TakeSettings().Write(); });
    // Conversions use the new values from the next file on.
    ResumeNext([&] { GetEncoderDecoderOptions(); });
    Unload();
    accept();
}

void DialogEncoderDecoderOptions::CancelButton_Click() {
    Unload();
    QDialog::reject();
}

void DialogEncoderDecoderOptions::reject() { CancelButton_Click(); }

void DialogEncoderDecoderOptions::Unload() {
    if (m_unloaded) return;
    m_unloaded = true;
    ResumeNext([&] { WriteWindowPos(this); });
}

void DialogEncoderDecoderOptions::closeEvent(QCloseEvent* event) {
    Unload();
    QDialog::closeEvent(event);
}

bool DialogEncoderDecoderOptions::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        m_refusedBox = nullptr;
        auto* key = static_cast<QKeyEvent*>(event);
        // Escape is bound to nothing here (Cancel is a button like any other).
        if (key->key() == Qt::Key_Escape) return true;
        // A key counts once, where it arrived (a key a control ignores goes on
        // to its parents).
        QWidget* first = focusWidget() ? focusWidget() : this;
        if (watched == first) {
            const auto* w = qobject_cast<QWidget*>(watched);
            const bool onSpinner = w && (UpDownQuality->isAncestorOf(w) || UpDownTargetBitrateForABR->isAncestorOf(w));
            if (!onSpinner)
                ResumeNext([&] { DisplayHelpTopic(kHelpTopic, static_cast<int16_t>(PlatformKeyCode(key->key()))); });
        }
        // The arrows step the number box they were pressed in.
        if (watched == TextQuality || watched == TextTargetBitrateForABR) {
            if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
                const int direction = key->key() == Qt::Key_Up ? 1 : -1;
                if (watched == TextQuality) {
                    ResumeNext([&] { UpDownQuality_Click(direction); });
                    return true;
                }
                if (watched == TextTargetBitrateForABR) {
                    ResumeNext([&] { UpDownTargetBitrateForABR_Click(direction); });
                    return true;
                }
            }
        }
    }
    // An access key never moves the focus to a control that is off.
    if (event->type() == QEvent::Shortcut) {
        if (auto* label = qobject_cast<QLabel*>(watched); label && label->buddy() && !label->buddy()->isEnabled())
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

// ---- the controls as a record ---------------------------------------------------------

EncoderOptionSettings DialogEncoderDecoderOptions::TakeSettings() const {
    EncoderOptionSettings s;
    s.SliderBitrate0 = SliderBitrate[0]->value();
    s.ComboMode = ComboMode->currentIndex();
    s.OptionSameAsInputDir = OptionSameAsInputDir->isChecked();
    s.OptionUse = OptionUse->isChecked();
    s.TextUse = TextUse->text();
    s.ComboOptimisation = ComboOptimisation->currentIndex();
    s.CheckIncCRCChecksums = CheckIncCRCChecksums->isChecked();
    s.CheckCopy = CheckCopy->isChecked();
    s.CheckCopyright = CheckCopyright->isChecked();
    s.CheckDeleteSourceFile = CheckDeleteSourceFile->isChecked();
    s.CheckEnableVBR = CheckEnableVBR->isChecked();
    s.SliderBitrate1 = SliderBitrate[1]->value();
    // An empty quality box would read as 0, a quality nobody chose.
    s.TextQuality = QualityOnStoring(TextQuality->text());
    s.CheckDisableVBRTag = CheckDisableVBRTag->isChecked();
    s.CheckEnforceMinBitrate = CheckEnforceMinBitrate->isChecked();
    s.CheckUseABR = CheckUseABR->isChecked();
    s.TextTargetBitrateForABR = TextTargetBitrateForABR->text();
    s.CheckAllowBlockTypesToDiffer = CheckAllowBlockTypesToDiffer->isChecked();
    s.CheckDisableAllFiltering = CheckDisableAllFiltering->isChecked();
    s.CheckDisableBitReservoir = CheckDisableBitReservoir->isChecked();
    s.CheckDisableShortBlocks = CheckDisableShortBlocks->isChecked();
    s.CheckComplyISOMPEGSpec = CheckComplyISOMPEGSpec->isChecked();
    s.ComboATHControl = ComboATHControl->currentIndex();
    s.ComboAlgorithmQuality = ComboAlgorithmQuality->currentIndex();
    s.TextCustomOptions = TextCustomOptions->text();
    s.CheckOnlyUseCustom = CheckOnlyUseCustom->isChecked();
    s.ComboOutputSamplingFrequency = ComboOutputSamplingFrequency->currentIndex();
    s.CheckHighPassFreq = CheckHighPassFreq->isChecked();
    s.TextHighPassFreq = TextHighPassFreq->text();
    s.CheckHighPassWidth = CheckHighPassWidth->isChecked();
    s.TextHighPassWidth = TextHighPassWidth->text();
    s.CheckLowPassFreq = CheckLowPassFreq->isChecked();
    s.TextLowPassFreq = TextLowPassFreq->text();
    s.CheckLowPassWidth = CheckLowPassWidth->isChecked();
    s.TextLowPassWidth = TextLowPassWidth->text();
    return s;
}

void DialogEncoderDecoderOptions::ShowSettings(const EncoderOptionSettings& s) {
    SliderBitrate[0]->setValue(s.SliderBitrate0);
    ComboMode->setCurrentIndex(s.ComboMode);
    OptionSameAsInputDir->setChecked(s.OptionSameAsInputDir);
    OptionUse->setChecked(s.OptionUse);
    TextUse->setText(s.TextUse);
    ComboOptimisation->setCurrentIndex(s.ComboOptimisation);
    CheckIncCRCChecksums->setChecked(s.CheckIncCRCChecksums);
    CheckCopy->setChecked(s.CheckCopy);
    CheckCopyright->setChecked(s.CheckCopyright);
    CheckDeleteSourceFile->setChecked(s.CheckDeleteSourceFile);
    CheckEnableVBR->setChecked(s.CheckEnableVBR);
    SliderBitrate[1]->setValue(s.SliderBitrate1);
    TextQuality->setText(s.TextQuality);
    CheckDisableVBRTag->setChecked(s.CheckDisableVBRTag);
    CheckEnforceMinBitrate->setChecked(s.CheckEnforceMinBitrate);
    CheckUseABR->setChecked(s.CheckUseABR);
    TextTargetBitrateForABR->setText(s.TextTargetBitrateForABR);
    CheckAllowBlockTypesToDiffer->setChecked(s.CheckAllowBlockTypesToDiffer);
    CheckDisableAllFiltering->setChecked(s.CheckDisableAllFiltering);
    CheckDisableBitReservoir->setChecked(s.CheckDisableBitReservoir);
    CheckDisableShortBlocks->setChecked(s.CheckDisableShortBlocks);
    CheckComplyISOMPEGSpec->setChecked(s.CheckComplyISOMPEGSpec);
    ComboATHControl->setCurrentIndex(s.ComboATHControl);
    ComboAlgorithmQuality->setCurrentIndex(s.ComboAlgorithmQuality);
    TextCustomOptions->setText(s.TextCustomOptions);
    CheckOnlyUseCustom->setChecked(s.CheckOnlyUseCustom);
    ComboOutputSamplingFrequency->setCurrentIndex(s.ComboOutputSamplingFrequency);
    CheckHighPassFreq->setChecked(s.CheckHighPassFreq);
    TextHighPassFreq->setText(s.TextHighPassFreq);
    CheckHighPassWidth->setChecked(s.CheckHighPassWidth);
    TextHighPassWidth->setText(s.TextHighPassWidth);
    CheckLowPassFreq->setChecked(s.CheckLowPassFreq);
    TextLowPassFreq->setText(s.TextLowPassFreq);
    CheckLowPassWidth->setChecked(s.CheckLowPassWidth);
    TextLowPassWidth->setText(s.TextLowPassWidth);
    CheckOnlyUseCustom_Click();
    SliderBitrate_Scroll(0);
    SliderBitrate_Scroll(1);
}

// ---- showing ---------------------------------------------------------------------------

void ShowEncoderDecoderOptionsDialog(QWidget* parent) {
    DialogEncoderDecoderOptions dialog(parent);
    dialog.exec();
}

void InstallEncoderOptionsDialog() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    auto previous = std::make_shared<OptionDialogHandler>();
    *previous = SetOptionDialogHandler([previous](int page) {
        if (page == kEncoderDecoderOptionsPage) {
            ShowEncoderDecoderOptionsDialog();
        } else if (*previous) {
            (*previous)(page);
        }
    });
}
