#pragma once
// Edits one HTML font description (cataloguer/FontDescription.h) in place:
// the caller hands over a label whose caption is the description; the user
// picks faces, style, size, underline and colour while a sample shows the
// result; OK writes the new description into the label's caption and nothing
// else of the font (the caller stores the caption with its own values).
// Cancel or the close box leave the label as it was.
//
// The dialog also keeps a history of up to twelve face combinations
// (section "ComboFontCombination", options/ui/DialogSettingsUi.h): only a
// combination of several faces joins it, at OK.
//
// A size that is not empty, "Default" or a number, or a colour that is no
// colour, is reported when its box is left; OK checks both again and stores
// nothing while either is wrong, so no invalid description reaches a caller.

#include "foundation/Dialogs.h"

#include "foundation/ui/OptionDialogBase.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class DialogHTMLFont : public OptionDialogBase {
    Q_OBJECT
public:
    explicit DialogHTMLFont(QWidget* parent = nullptr);

    QLabel* LabelFontCombination = nullptr;
    QComboBox* ComboFontCombination = nullptr;
    QListWidget* ListFonts = nullptr;
    QLabel* LabelStyle = nullptr;
    QLineEdit* TextStyle = nullptr;
    QListWidget* ListStyles = nullptr;
    QLabel* LabelSize = nullptr;
    QLineEdit* TextSize = nullptr;
    QListWidget* ListSizes = nullptr;
    QCheckBox* CheckUnderline = nullptr;
    QLabel* LabelColour = nullptr;
    QLabel* PictureColour = nullptr;
    QComboBox* ComboColour = nullptr;
    QLabel* LabelSampleText = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    CommonDialog CommonDialogColour;

    // The label being edited (set by Load) and the description OK built.
    QLabel* mlblFont = nullptr;
    QString mstrHTMLFontString;

    // Takes the label's description apart and shows it.  A caption that is
    // no description is reported and gives false: the dialog is not to be
    // shown and the label stays as it was.
    bool Load(QLabel* lblFont);

    void InitialiseDialogText();
    void ListFonts_Click();
    void ComboFontCombination_Change();
    void ListStyles_Click();
    void ListSizes_Click();
    void TextSize_Change();
    // False (after the warning) while the size box holds no size.
    bool TextSize_LostFocus();
    void ComboColour_Click();
    void ComboColour_LostFocus();
    void PictureColour_Click();
    void UpdateSampleText();
    void OKButton_Click();

    // The help topic F1 opens on a control: the colours page on the colour
    // box and swatch, the fonts page elsewhere.
    int HelpTopicOf(const QWidget* control) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void Unloading() override { mlblFont = nullptr; }

private:
    void BuildControls();
    bool m_busy = false;      // the face list and the combination box update each other
    bool m_sizeBusy = false;  // the size box and the size list update each other
};

// Opens the dialog modally on the label's description; true after OK, with
// the label's caption replaced.
bool ShowHTMLFontDialog(QLabel* lblFont, QWidget* parent = nullptr);
