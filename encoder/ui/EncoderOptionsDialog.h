#pragma once
// The Encoder Decoder Options dialog: every option the LAME switches are
// built from, the folder converted files go to and whether the source is
// deleted, on five pages.  It keeps no values of its own: it opens with what
// section "EncoderDecoder" holds (encoder/EncoderOptionSettings.h), OK stores
// every control and reads the encoder option record again so the next
// conversion uses the new values, Cancel and the close box store nothing.
//
// The rules between the controls are encoder/OptionRules.h: the enabling
// table, the number boxes' filters and spinners, the ABR target's clamp and
// the filter frequencies' range check when the focus leaves them.  A
// frequency out of range keeps the focus in its box (and OK does not store),
// but Cancel and the close box always leave the dialog.  Only the shown page
// is enabled, so access keys and Tab never reach a hidden or disabled
// control.  F1 anywhere but on the two spinners opens the dialog's help page.

#include "encoder/EncoderOptionSettings.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QStackedWidget;
class QTabBar;
class QToolButton;

class DialogEncoderDecoderOptions : public QDialog {
    Q_OBJECT
public:
    explicit DialogEncoderDecoderOptions(QWidget* parent = nullptr);
    ~DialogEncoderDecoderOptions() override;

    // ---- controls ----
    QTabBar* TabStripOptions = nullptr;
    QStackedWidget* Pages = nullptr;
    std::array<QWidget*, 5> FrameOptions{};
    // General
    QGroupBox* FrameMode = nullptr;
    QComboBox* ComboMode = nullptr;
    QGroupBox* FrameBitrate = nullptr;
    std::array<QSlider*, 2> SliderBitrate{};
    std::array<QLabel*, 2> LabelCurrentBitrate{};
    QLabel* LabelPoorQuality = nullptr;
    QLabel* LabelGoodQuality = nullptr;
    QLabel* LabelSmallFile = nullptr;
    QLabel* LabelBigFile = nullptr;
    QGroupBox* FrameOutputDirectory = nullptr;
    QRadioButton* OptionSameAsInputDir = nullptr;
    QRadioButton* OptionUse = nullptr;
    QLineEdit* TextUse = nullptr;
    QPushButton* BtnBrowse = nullptr;
    // Advanced
    QLabel* LabelOptimisation = nullptr;
    QComboBox* ComboOptimisation = nullptr;
    QCheckBox* CheckIncCRCChecksums = nullptr;
    QGroupBox* FrameFlags = nullptr;
    QCheckBox* CheckCopy = nullptr;
    QCheckBox* CheckCopyright = nullptr;
    QCheckBox* CheckDeleteSourceFile = nullptr;
    // VBR
    QCheckBox* CheckEnableVBR = nullptr;
    QLabel* LabelQuality = nullptr;
    QLineEdit* TextQuality = nullptr;
    QWidget* UpDownQuality = nullptr;
    QCheckBox* CheckUseABR = nullptr;
    QLabel* LabelTargetBitrateABR = nullptr;
    QLineEdit* TextTargetBitrateForABR = nullptr;
    QWidget* UpDownTargetBitrateForABR = nullptr;
    QGroupBox* FrameMaximumVBRBitrate = nullptr;
    QCheckBox* CheckDisableVBRTag = nullptr;
    QCheckBox* CheckEnforceMinBitrate = nullptr;
    // Expert
    QCheckBox* CheckAllowBlockTypesToDiffer = nullptr;
    QCheckBox* CheckDisableAllFiltering = nullptr;
    QCheckBox* CheckDisableBitReservoir = nullptr;
    QCheckBox* CheckDisableShortBlocks = nullptr;
    QCheckBox* CheckComplyISOMPEGSpec = nullptr;
    QLabel* LabelATHControl = nullptr;
    QComboBox* ComboATHControl = nullptr;
    QLabel* LabelAlgorithmQuality = nullptr;
    QComboBox* ComboAlgorithmQuality = nullptr;
    QLabel* LabelCustomOptions = nullptr;
    QLineEdit* TextCustomOptions = nullptr;
    QCheckBox* CheckOnlyUseCustom = nullptr;
    // Audio processing
    QLabel* LabelOutputSamplingFrequency = nullptr;
    QComboBox* ComboOutputSamplingFrequency = nullptr;
    QGroupBox* FrameHighPassFilter = nullptr;
    QCheckBox* CheckHighPassFreq = nullptr;
    QLineEdit* TextHighPassFreq = nullptr;
    QCheckBox* CheckHighPassWidth = nullptr;
    QLineEdit* TextHighPassWidth = nullptr;
    QGroupBox* FrameLowPassFilter = nullptr;
    QCheckBox* CheckLowPassFreq = nullptr;
    QLineEdit* TextLowPassFreq = nullptr;
    QCheckBox* CheckLowPassWidth = nullptr;
    QLineEdit* TextLowPassWidth = nullptr;

    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

    // ---- handlers ----
    void InitialiseDialogText();
    // Re-applies the whole enabling table from the controls' values.
    void CheckOnlyUseCustom_Click();
    // Writes the label above slider `Index` (0 bitrate, 1 maximum VBR bitrate).
    void SliderBitrate_Scroll(int Index);
    void TabStripOptions_Click(int tab);
    void BtnBrowse_Click();
    // +1 up, -1 down.
    void UpDownQuality_Click(int direction);
    void UpDownTargetBitrateForABR_Click(int direction);
    void OKButton_Click();
    void CancelButton_Click();

    EncoderOptionSettings TakeSettings() const;
    void ShowSettings(const EncoderOptionSettings& settings);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void BuildControls();
    void Unload();
    // The focus moves from `from` to `to`: the leaving checks of the number
    // boxes.  False when the focus has to stay in `from`.
    bool FocusLeaving(QWidget* from, QWidget* to);
    bool FrequencyBoxAccepted(QLineEdit* box);
    void ComboToolTip(QComboBox* combo);
    bool m_unloaded = false;
    bool m_checkingFocus = false;
    // The box whose focus move was refused last (cleared by the next key).
    QWidget* m_refusedBox = nullptr;
    QMetaObject::Connection m_focusWatch;
};

// Shows the dialog modally.
void ShowEncoderDecoderOptionsDialog(QWidget* parent = nullptr);
// Makes the dialog the one that the Tools menu's and the launcher bar's
// encoder options open (other option pages go on to the handler before it).
void InstallEncoderOptionsDialog();
