#pragma once
// The Find dialog: a modeless dialog, on top of the other windows, that
// searches the text in the Music Cataloguer's viewer: the page on display,
// all pages one after the other (selecting the viewer's tabs, which renders
// each page), or only the selected text, with match-case and whole-word
// options, a list of earlier search texts (newest first, no size limit) and
// a wrap to the beginning when the end of the scope is reached ("All"
// wraps at once, "Down" asks first).  It keeps its state while hidden; Cancel
// and the close box hide it.
//
// One dialog serves the program, made by the first use of Instance(); the
// window it searches is the one named by mstrForm, which the cataloguer sets
// each time it is activated.  A match becomes the viewer's selection.
// Character positions are those of the viewer's plain text, from 0.
//
// While the cataloguer runs a job, or has no page, Find Next does nothing and
// shows nothing.

#include <QDialog>
#include <QString>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class FormMusicCataloguer;

class DialogFind : public QDialog {
    Q_OBJECT
public:
    // The dialog, made (and loaded hidden) on first use.
    static DialogFind& Instance();
    // The dialog when it has been made, else null.
    static DialogFind* IfLoaded();
    // Unloads the dialog (its search texts go with it).
    static void Unload();

    // The name of the window whose viewer is searched.
    QString mstrForm;

    // One Find Next.
    void BtnFindNext_Click();
    // When the cataloguer's viewer is that window's active control: Find Next
    // is enabled, and the default button, exactly when there is a search text.
    void UpdateFindControls();
    // Ends the search in progress, so the next Find Next starts a new search
    // from the caret.
    void ResetDialog();

    QLabel* LabelFindWhat = nullptr;
    QComboBox* ComboFind = nullptr;
    QGroupBox* FrameSearch = nullptr;
    QRadioButton* OptionDisplayedOutput = nullptr;
    QRadioButton* OptionAllOutputs = nullptr;
    QRadioButton* OptionSelectedText = nullptr;
    QLabel* LabelDirection = nullptr;
    QComboBox* ComboDirection = nullptr;
    QCheckBox* CheckWholeWord = nullptr;
    QCheckBox* CheckMatchCase = nullptr;
    QPushButton* BtnFindNext = nullptr;
    QPushButton* CancelButton = nullptr;

    // The find flags: 2 whole word, plus 4 match case.
    int GetFindOptions() const;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    DialogFind();
    void InitialiseDialogText();
    void SearchDown();
    bool QueryScope();
    // Searches page `page` from `position` (to the start position on the
    // start page when `toStart`); true when the search goes on with the
    // next page (nothing found), and then `position` is 0.
    bool FindTextInTab(FormMusicCataloguer& window, int page, int& position, bool toStart);
    bool CheckEditBoxActive() const;
    FormMusicCataloguer* Window() const;
    // Searches the viewer's text from `start` up to `end` (-1: its end) and
    // selects a match; its position, or -1.
    int Find(FormMusicCataloguer& window, int start, int end) const;
    void SearchChanged() { m_inProgress = false; }
    void ShowEnd(const QString& text);

    bool m_inProgress = false;
    bool m_endShown = false;
    bool m_matchFound = false;
    bool m_cancelled = false;
    bool m_endOfScope = false;
    bool m_wrapped = false;
    int m_startPosition = 0;
    int m_startPage = 0;
};
