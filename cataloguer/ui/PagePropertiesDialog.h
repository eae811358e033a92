#pragma once
// The HTML catalogue's page properties: the page title, description and
// keywords of the page head, a background image, the five page colours
// (background, text, links, visited links, active links) and the four page
// margins.  The dialog edits its controls only: OK stores them (section
// "MusicCataloguerHTML", cataloguer/CataloguerOptionSettings.h) and reads the
// page properties into the HTML option record again; Cancel or the close box
// store nothing.  OK checks every colour box first: while one holds a text
// that is no colour, it says so, gives that box the focus and stores nothing.
//
// The Options dialog's HTML catalogue page opens it through
// ShowHTMLPageProperties.

#include "foundation/Dialogs.h"
#include "cataloguer/CataloguerOptionSettings.h"

#include "foundation/ui/OptionDialogBase.h"
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class DialogHTMLPageProperties : public OptionDialogBase {
    Q_OBJECT
public:
    explicit DialogHTMLPageProperties(QWidget* parent = nullptr);

    QLabel *LabelTitle = nullptr, *LabelDescription = nullptr, *LabelKeywords = nullptr,
           *LabelBackgroundImage = nullptr;
    QLineEdit *TextTitle = nullptr, *TextDescription = nullptr, *TextKeywords = nullptr,
              *TextBackgroundImage = nullptr;
    QPushButton* BtnBrowseBackgroundImage = nullptr;
    QLabel *LabelBackground = nullptr, *LabelText = nullptr, *LabelLinks = nullptr, *LabelVisitedLinks = nullptr,
           *LabelActiveLinks = nullptr;
    std::array<QLabel*, 5> PictureColour{};
    std::array<QComboBox*, 5> ComboColour{};
    QLabel *LabelLeftMargin = nullptr, *LabelTopMargin = nullptr, *LabelMarginWidth = nullptr,
           *LabelMarginHeight = nullptr;
    std::array<QLineEdit*, 4> TextMargin{};
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    CommonDialog CommonDialogFile;
    CommonDialog CommonDialogColour;

    void InitialiseDialogText();
    void BtnBrowseBackgroundImage_Click();
    void ComboColour_Click(int index);
    void ComboColour_LostFocus(int index);
    void PictureColour_Click(int index);
    void TextMargin_Change(int index);
    void OKButton_Click();

    HTMLPagePropertiesSettings TakeSettings() const;
    void ShowSettings(const HTMLPagePropertiesSettings& settings);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
};

void ShowHTMLPageProperties(QWidget* parent = nullptr);
