#pragma once
// The coordinator's advanced options: how artists and titles are formatted
// (case style, underscores, word replacements, special words per case), 'The'
// at the end, double spaces, how rigorously and up to which number track
// numbers are looked for, and the colours of the simulate results rows.  The
// dialog edits its controls only: OK stores them (section
// "FileNameTagCoordinator" and its word sections, coordinator/CoordinatorDialogSettings.h)
// and reads the coordinator's advanced option record again, so the next
// Simulate uses them; Cancel or the close box store nothing.
//
// The Options dialog's coordinator page opens it with ShowFileNameTagCoordAdvOptions.

#include "foundation/Dialogs.h"
#include "foundation/ui/OptionDialogBase.h"
#include "coordinator/CoordinatorDialogSettings.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabBar;
class QToolButton;

class DialogFileNameTagCoordAdvOptions : public OptionDialogBase {
    Q_OBJECT
public:
    explicit DialogFileNameTagCoordAdvOptions(QWidget* parent = nullptr);

    // ---- controls (index 0 the Artist, 1 the Title; lists 3 x name + case) ----
    QTabBar* TabStripNames = nullptr;
    std::array<QGroupBox*, 2> FrameFormat{};
    std::array<QRadioButton*, 2> OptionAllUppercase{}, OptionAllLowercase{}, OptionCapitaliseEachWord{},
        OptionDontChange{};
    std::array<QCheckBox*, 2> CheckRemoveUnderscores{};
    std::array<QGroupBox*, 2> FrameChangeSpecialWords{};
    std::array<QLineEdit*, 14> TextChangeSpecialWordFrom{}, TextChangeSpecialWordTo{};
    std::array<QGroupBox*, 2> FrameSpecialWordsFormat{};
    std::array<QGroupBox*, 6> FrameSpecialWordsFormatType{};
    std::array<QLineEdit*, 6> TextSpecialWordFormat{};
    std::array<QPushButton*, 6> BtnAddSpecialWordFormat{};
    std::array<QListWidget*, 6> ListSpecialWordsFormat{};
    std::array<QPushButton*, 6> BtnRemoveSpecialWordFormat{};
    QCheckBox* CheckTheAtEnd = nullptr;
    QCheckBox* CheckRemoveDoubleSpaces = nullptr;
    QCheckBox* CheckRigorousTrackNum = nullptr;
    QGroupBox* FrameActionColours = nullptr;
    QLabel* LabelChange = nullptr;
    QLabel* LabelChangeQ = nullptr;
    QLabel* LabelNoChange = nullptr;
    QLabel* LabelDelete = nullptr;
    std::array<QLabel*, 4> PictureColour{};
    QLabel* LabelTrackNumLimit = nullptr;
    QLineEdit* TextTrackNumLimit = nullptr;
    QToolButton* UpDownTrackNumLimitUp = nullptr;
    QToolButton* UpDownTrackNumLimitDown = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    CommonDialog CommonDialogColour;

    // ---- handlers ----
    void InitialiseDialogText();
    void TabStripNames_Click(int tab);
    // Case style `style` (0 upper, 1 lower, 2 capitalised, 3 unchanged) of name k.
    void OptionCase_Click(int k, int style);
    void TextChangeSpecialWord_Change(QLineEdit* box);
    void TextSpecialWordFormat_Change(int index);
    void BtnAddSpecialWordFormat_Click(int index);
    void BtnRemoveSpecialWordFormat_Click(int index);
    void PictureColour_Click(int index);
    void TextTrackNumLimit_Change();
    // +1 the up arrow, -1 the down arrow.
    void UpDownTrackNumLimit_Click(int direction);
    void OKButton_Click();

    // The controls as a settings record, and the record into the controls.
    FileNameTagCoordAdvSettings TakeSettings() const;
    void ShowSettings(const FileNameTagCoordAdvSettings& settings);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
};

// Shows the dialog modally (the Options dialog's coordinator page).
void ShowFileNameTagCoordAdvOptions(QWidget* parent = nullptr);

// The text a special-word box of list `index` shows for `typed`: without the
// characters no file name may hold and without blanks, in the list's case
// (upper case for lists 0 and 3, lower case for 1 and 4, first character
// upper and the rest lower for 2 and 5).
QString SpecialWordText(int index, const QString& typed);
