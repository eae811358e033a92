#pragma once
// What the header at the top of every catalogue page shows, one dialog per
// catalogue kind: the title, the collection properties (number, size and
// length of the files), the list properties (creation date and time, number
// of pages) and the column headings.  The HTML dialog adds where the links to
// the other pages appear and, per header section (0 page links, 1 title,
// 2 collection properties, 3 list properties, 4 column headings), a font
// description and a fill colour.
//
// Each opening reads the stored values afresh.  OK empties the title's text
// when its check is clear, stores every value (the HTML header in section
// "MusicCataloguerHTML", the text header in "MusicCataloguerText",
// cataloguer/CataloguerOptionSettings.h) and reads that header's option record
// again; Cancel or the close box store nothing.  The HTML dialog's OK checks
// every fill colour first: while one holds a text that is no colour, it says
// so, gives that box the focus and stores nothing.
//
// A check governs the boxes under it: the title's text follows the title's
// check, the three totals the collection check, the three list boxes the
// list check.  In the HTML dialog the creation date's check also governs the
// creation time's (each change of the date's check sets it; a tick of the
// list check enables all three); in the text dialog it does not.

#include "foundation/Dialogs.h"
#include "options/ui/DialogSettingsUi.h"

#include "foundation/ui/OptionDialogBase.h"
#include <array>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The check boxes and the title both dialogs share, their texts and rules.
class CataloguerHeaderDialog : public OptionDialogBase {
    Q_OBJECT
public:
    QGroupBox* FrameHeader = nullptr;
    QCheckBox* CheckTitle = nullptr;
    QLineEdit* TextTitle = nullptr;
    QCheckBox* CheckCollectionProperties = nullptr;
    QCheckBox *CheckTotalNumFiles = nullptr, *CheckTotalSizeFiles = nullptr, *CheckTotalLengthFiles = nullptr;
    QCheckBox* CheckListProperties = nullptr;
    QCheckBox *CheckListCreationDate = nullptr, *CheckListCreationTime = nullptr, *CheckNumPagesInList = nullptr;
    QCheckBox* CheckColumnHeadings = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

    void CheckTitle_Click();
    void CheckCollectionProperties_Click();
    void CheckListProperties_Click();
    void OKButton_Click();

    // The help topic F1 opens on a control.
    virtual int HelpTopicOf(const QWidget* control) const = 0;

protected:
    CataloguerHeaderDialog(QWidget* parent, const QString& name);
    void BuildHeaderControls();
    void BuildButtons();
    void InitialiseHeaderText();
    CataloguerHeaderControls HeaderControls() const;
    // True when the values may be stored (the HTML dialog checks its fills).
    virtual bool ValuesValid() { return true; }
    virtual void StoreValues() = 0;
    // After BuildControls: F1 and the dialog's own events reach eventFilter.
    void WatchControls();
    bool eventFilter(QObject* watched, QEvent* event) override;
};

class DialogHTMLCataloguerHeader : public CataloguerHeaderDialog {
    Q_OBJECT
public:
    explicit DialogHTMLCataloguerHeader(QWidget* parent = nullptr);

    QLabel* LabelPageLinksAppearAt = nullptr;
    QComboBox* ComboPageLinks = nullptr;
    std::array<QPushButton*, 5> BtnChangeFont{};
    std::array<QLabel*, 5> LabelFont{};
    std::array<QLabel*, 5> LabelFill{};
    std::array<QLabel*, 5> PictureFill{};
    std::array<QComboBox*, 5> ComboFill{};
    std::array<QFrame*, 4> Line{};
    CommonDialog CommonDialogColour;

    void InitialiseDialogText();
    void CheckListCreationDate_Click();
    void BtnChangeFont_Click(int index);
    void ComboFill_Click(int index);
    void ComboFill_LostFocus(int index);
    void PictureFill_Click(int index);
    int HelpTopicOf(const QWidget* control) const override;

    HTMLCataloguerHeaderControls Controls() const;

protected:
    bool ValuesValid() override;
    void StoreValues() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
};

class DialogTextCataloguerHeader : public CataloguerHeaderDialog {
    Q_OBJECT
public:
    explicit DialogTextCataloguerHeader(QWidget* parent = nullptr);

    std::array<QFrame*, 2> Line{};

    void InitialiseDialogText();
    int HelpTopicOf(const QWidget* control) const override;

protected:
    void StoreValues() override;

private:
    void BuildControls();
};

void ShowHTMLCataloguerHeader(QWidget* parent = nullptr);
void ShowTextCataloguerHeader(QWidget* parent = nullptr);
