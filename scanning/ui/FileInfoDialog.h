#pragma once
// The "File Information" window: one file's ID3v1 and ID3v2 tags side by
// side as editable boxes, with a description of its MPEG audio header.  OK
// writes, creates or removes each tag; Cancel leaves the file alone.

#include <QDialog>
#include <QString>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// Shows the window modally for `path` and returns true once it has closed
// (OK or Cancel); a missing file gives the "File Missing" warning and false.
bool DisplayFileInfoDialog(const QString& path);

// Tests look at (and answer) the window while it is open: the hook runs
// once the window has loaded, instead of the user.  It must close it.
void SetFileInfoDialogDriver(std::function<void(class FormFileInfo&)> driver);

class FormFileInfo : public QDialog {
    Q_OBJECT
public:
    // `fileName` is the file shown (mstrFileName); the window loads it at once.
    explicit FormFileInfo(const QString& fileName, QWidget* parent = nullptr);
    ~FormFileInfo() override;

    QString mstrFileName;

    QLineEdit* TextFileName = nullptr;
    QGroupBox* FrameID3v1 = nullptr;
    QCheckBox* CheckID3v1Tag = nullptr;
    QLineEdit* TextID3v1Track = nullptr;
    QLineEdit* TextID3v1Title = nullptr;
    QLineEdit* TextID3v1Artist = nullptr;
    QLineEdit* TextID3v1Album = nullptr;
    QLineEdit* TextID3v1Year = nullptr;
    QComboBox* ComboID3v1Genre = nullptr;
    QLineEdit* TextID3v1Comment = nullptr;
    QPushButton* BtnCopyFromID3v1 = nullptr;
    QPushButton* BtnCopyToID3v1 = nullptr;
    QGroupBox* FrameID3v2 = nullptr;
    QCheckBox* CheckID3v2Tag = nullptr;
    QLineEdit* TextID3v2Track = nullptr;
    QLineEdit* TextID3v2Title = nullptr;
    QLineEdit* TextID3v2Artist = nullptr;
    QLineEdit* TextID3v2Album = nullptr;
    QLineEdit* TextID3v2Year = nullptr;
    QComboBox* ComboID3v2Genre = nullptr;
    QPlainTextEdit* TextID3v2Comment = nullptr;
    QLineEdit* TextID3v2Composer = nullptr;
    QLineEdit* TextID3v2OrigArtist = nullptr;
    QLineEdit* TextID3v2Copyright = nullptr;
    QLineEdit* TextID3v2URL = nullptr;
    QLineEdit* TextID3v2Encodedby = nullptr;
    QGroupBox* FrameMPEGInfo = nullptr;
    QPlainTextEdit* TextMPEGInfo = nullptr;
    QLabel* LabelInfo = nullptr;
    QPushButton* BtnOK = nullptr;
    QPushButton* BtnCancel = nullptr;

    bool HadID3v1Tag() const { return mblnHadID3v1Tag; }
    bool HadID3v2Tag() const { return mblnHadID3v2Tag; }

    void BtnOK_Click();
    void BtnCancel_Click();
    void CheckID3v1Tag_Click();
    void CheckID3v2Tag_Click();
    void BtnCopyFromID3v1_Click();
    void BtnCopyToID3v1_Click();

    // The MPEG description of a header (eleven lines joined by CR LF).
    static QString MPEGDescription(const struct MPEGInfo& info);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void done(int result) override;

private:
    void BuildControls();
    void InitialiseDialogText();
    void FormLoad();
    void SetGroupEnabled(bool enabled, const QList<QWidget*>& boxes, QPushButton* copyButton);
    QList<QWidget*> ID3v1Boxes() const;
    QList<QWidget*> ID3v2Boxes() const;
    // The ID3v2 comment box: filled with a text, and its text, which is the
    // text it was filled with until the user edits the box.
    void SetID3v2CommentBox(const QString& text);
    QString ID3v2CommentBoxText() const;

    bool mblnHadID3v1Tag = false;
    bool mblnHadID3v2Tag = false;
    bool m_unloaded = false;
    QString m_id3v2Comment;
};
