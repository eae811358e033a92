#pragma once
// The rules that keep the Encoder Decoder Options dialog consistent, without
// its widgets: which controls are enabled given the check boxes and option
// buttons, what each number box accepts, how far its spinner steps, and the
// checks made when the focus leaves the ABR target and the filter frequencies.
// The rules enable, disable, filter and clamp; disabling never changes a
// value.
//
// Numbers in the boxes are read with "." as the decimal point whatever the
// locale: the leading decimal number of the text, 0 for an empty text.

#include <QString>
#include <vector>

// The states the enabling depends on.
struct EncoderOptionConditions {
    bool onlyUseCustom = false;  // "Only use custom options" ticked: no switch controls
    bool enableVBR = true;
    bool useABR = false;
    bool highPassFreq = false;
    bool highPassWidth = false;
    bool lowPassFreq = false;
    bool lowPassWidth = false;
    bool useFolder = false;      // "Use:" selected rather than "Same as input directory"
};

struct ControlState {
    const char* name;  // the control's object name
    bool enabled;
};

// Every control whose enabled state the conditions decide, in the table's
// order (the controls that are always enabled are not listed).
std::vector<ControlState> EncoderControlStates(const EncoderOptionConditions& c);

// What a number box accepts (the flags of EnsureNumericTextBox) and how long
// its text may be (0: no limit).
struct NumberBoxRule {
    bool allowZero;
    bool allowMinus;
    bool allowDecimal;
    int maxLength;
};
inline constexpr NumberBoxRule kQualityBox{true, false, false, 1};
inline constexpr NumberBoxRule kABRTargetBox{false, false, false, 3};
inline constexpr NumberBoxRule kFrequencyBox{true, false, true, 0};
inline constexpr NumberBoxRule kWidthBox{true, false, true, 0};

// The number a box holds: its leading decimal number ("." as the point), 0
// when it begins with none.
double BoxValue(const QString& text);

// The ABR target box on leaving: below 4 (an empty box included) becomes "4",
// above 310 becomes "310", anything else stays.
QString ABRTargetOnLeaving(const QString& text);

// A filter frequency box on leaving: true when its value lies in 0.001 to
// 50000 kHz (both bounds included); otherwise the focus stays in the box and
// the "Frequency Out of Range" box is shown.
bool FilterFrequencyAccepted(const QString& text);

// The quality box when OK stores an empty box: LAME's default quality "4"
// (an empty box would read as 0, the slowest setting, which nobody chose).
QString QualityOnStoring(const QString& text);
