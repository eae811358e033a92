#pragma once
// The About window: the program's title and version, its legal notice, the
// credits, and a button that starts the first system-information program of
// SystemInfoPrograms() that is installed; when none is, or the one found does
// not start, a box says so and names them (or it).  A
// plain window (not skinned), built afresh each time the Help menu opens it,
// shown modally without an owner.

#include <QDialog>
#include <QStringList>

class QLabel;
class QPushButton;

class FormAbout : public QDialog {
    Q_OBJECT
public:
    explicit FormAbout(QWidget* parent = nullptr);

    QLabel* ImageBackground = nullptr;
    QLabel* LabelTitle = nullptr;
    QLabel* LabelVersion = nullptr;
    QLabel* LabelCopyright = nullptr;
    QLabel* LabelThanks = nullptr;
    QLabel* LabelThanksList = nullptr;
    QPushButton* BtnSystemInfo = nullptr;
    QPushButton* BtnOK = nullptr;

    void InitialiseDialogText();
    void BtnSystemInfo_Click();

    // The programs tried, in order, for the system information.
    static const QStringList& SystemInfoPrograms();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormLoad();
};

// Creates the window, shows it modally and destroys it when it closes.
void ShowAboutWindow();
