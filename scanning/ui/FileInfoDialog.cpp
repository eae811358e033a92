#include "scanning/ui/FileInfoDialog.h"

#include "foundation/Errors.h"
#include "foundation/FileUtils.h"
#include "foundation/Genres.h"
#include "foundation/Help.h"
#include "foundation/MessageUi.h"
#include "foundation/NativePath.h"
#include "foundation/OptionRecords.h"
#include "foundation/ResourceStrings.h"
#include "foundation/SettingsStore.h"
#include "foundation/ui/WindowPositions.h"
#include "foundation/ui/GenreCombo.h"
#include "scanning/engine/ID3v1.h"
#include "scanning/engine/MPEGHeader.h"
#include "scanning/engine/TagRecords.h"
#include "scanning/engine/ID3v2TagInfo.h"
#include "shell/ui/ControlUtils.h"
#include "shell/ui/PlainControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>
#include <QApplication>

namespace {
std::function<void(FormFileInfo&)>& Driver() {
    static std::function<void(FormFileInfo&)> driver;
    return driver;
}

void SetComboText(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text, Qt::MatchExactly);
    if (index >= 0)
        combo->setCurrentIndex(index);
    else if (combo->isEditable())
        combo->setEditText(text);
    else
        combo->setCurrentIndex(0);
}
}  // namespace

void SetFileInfoDialogDriver(std::function<void(FormFileInfo&)> driver) { Driver() = std::move(driver); }

bool DisplayFileInfoDialog(const QString& path) {
    try {
        if (!FileExists(path)) {
            MsgBox(GetResourceString(TextId::FileInfo::TheFile) + path +
                       GetResourceString(TextId::FileInfo::NoLongerExists),
                   Mb::OKOnly | Mb::Exclamation, GetResourceString(TextId::FileInfo::FileMissing));
            return false;
        }
        FormFileInfo window(path);
        if (Driver()) {
            // A test stands in for the user.
            QTimer::singleShot(0, &window, [&window] { Driver()(window); });
        }
        window.exec();
        return true;
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("DisplayFileInfoDialog"), path));
    }
}

FormFileInfo::FormFileInfo(const QString& fileName, QWidget* parent) : QDialog(parent), mstrFileName(fileName) {
    setObjectName(QStringLiteral("FormFileInfo"));
    setModal(true);
    BuildControls();
    ResumeNext([&] { FormLoad(); });
}

FormFileInfo::~FormFileInfo() {
    if (!m_unloaded) ResumeNext([&] { WriteWindowPos(this); });
}

void FormFileInfo::BuildControls() {
    TextFileName = MakeLineEdit(this, "TextFileName");
    TextFileName->setReadOnly(true);

    FrameID3v1 = new QGroupBox(QStringLiteral("ID3v1:"), this);
    FrameID3v1->setObjectName(QStringLiteral("FrameID3v1"));
    CheckID3v1Tag = new QCheckBox(QStringLiteral("ID3v&1 Tag"), FrameID3v1);
    CheckID3v1Tag->setObjectName(QStringLiteral("CheckID3v1Tag"));
    TextID3v1Track = MakeLineEdit(FrameID3v1, "TextID3v1Track", 3);
    TextID3v1Title = MakeLineEdit(FrameID3v1, "TextID3v1Title", 30);
    TextID3v1Artist = MakeLineEdit(FrameID3v1, "TextID3v1Artist", 30);
    TextID3v1Album = MakeLineEdit(FrameID3v1, "TextID3v1Album", 30);
    TextID3v1Year = MakeLineEdit(FrameID3v1, "TextID3v1Year", 4);
    ComboID3v1Genre = new QComboBox(FrameID3v1);
    ComboID3v1Genre->setObjectName(QStringLiteral("ComboID3v1Genre"));
    ComboID3v1Genre->setEditable(false);
    ComboID3v1Genre->setMaxVisibleItems(20);
    TextID3v1Comment = MakeLineEdit(FrameID3v1, "TextID3v1Comment", 30);
    BtnCopyFromID3v1 = new QPushButton(FrameID3v1);
    BtnCopyFromID3v1->setObjectName(QStringLiteral("BtnCopyFromID3v1"));
    BtnCopyFromID3v1->setAutoDefault(false);
    auto* form1 = new QFormLayout;
    form1->addRow(QStringLiteral("Track #"), TextID3v1Track);
    form1->addRow(QStringLiteral("Title"), TextID3v1Title);
    form1->addRow(QStringLiteral("Artist"), TextID3v1Artist);
    form1->addRow(QStringLiteral("Album"), TextID3v1Album);
    form1->addRow(QStringLiteral("Year"), TextID3v1Year);
    form1->addRow(QStringLiteral("Genre"), ComboID3v1Genre);
    form1->addRow(QStringLiteral("Comment"), TextID3v1Comment);
    auto* box1 = new QVBoxLayout(FrameID3v1);
    box1->addWidget(CheckID3v1Tag);
    box1->addLayout(form1);
    box1->addStretch(1);
    box1->addWidget(BtnCopyFromID3v1);

    FrameID3v2 = new QGroupBox(QStringLiteral("ID3v2:"), this);
    FrameID3v2->setObjectName(QStringLiteral("FrameID3v2"));
    CheckID3v2Tag = new QCheckBox(QStringLiteral("ID3v&2 Tag"), FrameID3v2);
    CheckID3v2Tag->setObjectName(QStringLiteral("CheckID3v2Tag"));
    TextID3v2Track = MakeLineEdit(FrameID3v2, "TextID3v2Track");
    TextID3v2Title = MakeLineEdit(FrameID3v2, "TextID3v2Title");
    TextID3v2Artist = MakeLineEdit(FrameID3v2, "TextID3v2Artist");
    TextID3v2Album = MakeLineEdit(FrameID3v2, "TextID3v2Album");
    TextID3v2Year = MakeLineEdit(FrameID3v2, "TextID3v2Year", 7);
    ComboID3v2Genre = NewEditableComboBox(FrameID3v2, QStringLiteral("ComboID3v2Genre"));
    ComboID3v2Genre->setMaxVisibleItems(20);
    TextID3v2Comment = new QPlainTextEdit(FrameID3v2);
    TextID3v2Comment->setObjectName(QStringLiteral("TextID3v2Comment"));
    TextID3v2Comment->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TextID3v2Comment->setTabChangesFocus(true);
    TextID3v2Comment->setFixedHeight(TextID3v2Title->sizeHint().height() * 2 + 6);
    TextID3v2Composer = MakeLineEdit(FrameID3v2, "TextID3v2Composer");
    TextID3v2OrigArtist = MakeLineEdit(FrameID3v2, "TextID3v2OrigArtist");
    TextID3v2Copyright = MakeLineEdit(FrameID3v2, "TextID3v2Copyright");
    TextID3v2URL = MakeLineEdit(FrameID3v2, "TextID3v2URL");
    TextID3v2Encodedby = MakeLineEdit(FrameID3v2, "TextID3v2Encodedby");
    BtnCopyToID3v1 = new QPushButton(FrameID3v2);
    BtnCopyToID3v1->setObjectName(QStringLiteral("BtnCopyToID3v1"));
    BtnCopyToID3v1->setAutoDefault(false);
    auto* form2 = new QFormLayout;
    form2->addRow(QStringLiteral("Track #"), TextID3v2Track);
    form2->addRow(QStringLiteral("Title"), TextID3v2Title);
    form2->addRow(QStringLiteral("Artist"), TextID3v2Artist);
    form2->addRow(QStringLiteral("Album"), TextID3v2Album);
    form2->addRow(QStringLiteral("Year"), TextID3v2Year);
    form2->addRow(QStringLiteral("Genre"), ComboID3v2Genre);
    form2->addRow(QStringLiteral("Comment"), TextID3v2Comment);
    form2->addRow(QStringLiteral("Composer"), TextID3v2Composer);
    form2->addRow(QStringLiteral("Orig. Artist"), TextID3v2OrigArtist);
    form2->addRow(QStringLiteral("Copyright"), TextID3v2Copyright);
    form2->addRow(QStringLiteral("URL"), TextID3v2URL);
    form2->addRow(QStringLiteral("Encoded by"), TextID3v2Encodedby);
    auto* box2 = new QVBoxLayout(FrameID3v2);
    box2->addWidget(CheckID3v2Tag);
    box2->addLayout(form2);
    box2->addWidget(BtnCopyToID3v1);

    FrameMPEGInfo = new QGroupBox(QStringLiteral("MPEG Info:"), this);
    FrameMPEGInfo->setObjectName(QStringLiteral("FrameMPEGInfo"));
    TextMPEGInfo = new QPlainTextEdit(FrameMPEGInfo);
    TextMPEGInfo->setObjectName(QStringLiteral("TextMPEGInfo"));
    TextMPEGInfo->setReadOnly(true);
    TextMPEGInfo->setFocusPolicy(Qt::NoFocus);
    TextMPEGInfo->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Room for the eleven lines of the description.
    TextMPEGInfo->setMinimumHeight(TextMPEGInfo->fontMetrics().lineSpacing() * 11 +
                                   2 * (TextMPEGInfo->frameWidth() + 4));
    auto* boxMpeg = new QVBoxLayout(FrameMPEGInfo);
    boxMpeg->addWidget(TextMPEGInfo);

    LabelInfo = new QLabel(this);
    LabelInfo->setObjectName(QStringLiteral("LabelInfo"));
    BtnOK = new QPushButton(this);
    BtnOK->setObjectName(QStringLiteral("BtnOK"));
    BtnOK->setDefault(true);
    BtnCancel = new QPushButton(this);
    BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
    BtnCancel->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(TextFileName, 0, 0, 1, 2);
    grid->addWidget(FrameID3v1, 1, 0);
    grid->addWidget(FrameID3v2, 1, 1, 2, 1);
    grid->addWidget(FrameMPEGInfo, 2, 0);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(LabelInfo, 1);
    buttons->addWidget(BtnOK);
    buttons->addWidget(BtnCancel);
    grid->addLayout(buttons, 3, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);

    connect(BtnOK, &QPushButton::clicked, this, [this] { ResumeNext([&] { BtnOK_Click(); }); });
    connect(BtnCancel, &QPushButton::clicked, this, [this] { ResumeNext([&] { BtnCancel_Click(); }); });
    connect(CheckID3v1Tag, &QCheckBox::clicked, this, [this] { ResumeNext([&] { CheckID3v1Tag_Click(); }); });
    connect(CheckID3v2Tag, &QCheckBox::clicked, this, [this] { ResumeNext([&] { CheckID3v2Tag_Click(); }); });
    connect(BtnCopyFromID3v1, &QPushButton::clicked, this, [this] { ResumeNext([&] { BtnCopyFromID3v1_Click(); }); });
    connect(BtnCopyToID3v1, &QPushButton::clicked, this, [this] { ResumeNext([&] { BtnCopyToID3v1_Click(); }); });
    // Digits only, on every change (the program's own changes too).
    for (QLineEdit* box : {TextID3v1Track, TextID3v1Year, TextID3v2Year})
        connect(box, &QLineEdit::textChanged, this,
                [box] { ResumeNext([&] { EnsureNumericTextBox(box, true, false, false); }); });

    // F1 in the window or any of its input controls opens the help's start page.
    for (QWidget* control : findChildren<QWidget*>()) control->installEventFilter(this);
}

void FormFileInfo::InitialiseDialogText() {
    WithTrail(QStringLiteral("InitialiseDialogText"), [&] {
        setWindowTitle(GetResourceString(TextId::FileInfo::Caption));
        BtnCopyFromID3v1->setText(GetResourceString(TextId::FileInfo::CopyFromID3v1));
        BtnCopyToID3v1->setText(GetResourceString(TextId::FileInfo::CopyToID3v1));
        BtnOK->setText(GetResourceString(TextId::Common::OK));
        BtnCancel->setText(GetResourceString(TextId::Common::Cancel));
    });
}

void FormFileInfo::FormLoad() {
    InitialiseDialogText();
    ResumeNext([&] { ReadWindowPos(this); });
    ResumeNext([&] {
        GenresIntoComboBox(ComboID3v1Genre, true);
        GenresIntoComboBox(ComboID3v2Genre, true);
    });
    // The box shows the name as well as it can; OK writes to the path itself.
    TextFileName->setText(PathForDisplay(mstrFileName));
    mblnHadID3v1Tag = false;
    mblnHadID3v2Tag = false;
    SetGroupEnabled(false, ID3v1Boxes(), BtnCopyFromID3v1);
    SetGroupEnabled(false, ID3v2Boxes(), BtnCopyToID3v1);

    // A tag found but not read (a warning, or an error on the way) is not
    // shown, so OK must never remove it: the window learns that the file had
    // a tag only from a read that succeeded.
    ID3v1Tag v1;
    bool hadV1 = false;
    bool filtered = false;
    if (!ReadID3v1TagInfo(mstrFileName, v1, hadV1, filtered, nullptr)) return;
    mblnHadID3v1Tag = hadV1;
    CheckID3v1Tag->setChecked(mblnHadID3v1Tag);
    CheckID3v1Tag_Click();
    if (mblnHadID3v1Tag) {
        TextID3v1Title->setText(v1.Title);
        TextID3v1Artist->setText(v1.Artist);
        TextID3v1Album->setText(v1.Album);
        TextID3v1Year->setText(v1.Year);
        TextID3v1Comment->setText(v1.Comment);
        TextID3v1Track->setText(v1.Track == 0 ? QString() : QString::number(v1.Track));
        SetComboText(ComboID3v1Genre, v1.Genre < kGenreCount ? GetGenreFromID(v1.Genre) : QString());
    }

    ID3v2Tag v2;
    bool hadV2 = false;
    bool filtered2 = false;
    if (ReadID3v2TagInfo(mstrFileName, v2, hadV2, filtered2, nullptr)) {
        mblnHadID3v2Tag = hadV2;
        CheckID3v2Tag->setChecked(mblnHadID3v2Tag);
        CheckID3v2Tag_Click();
        if (mblnHadID3v2Tag) {
            TextID3v2Track->setText(v2.Track);
            TextID3v2Title->setText(v2.Title);
            TextID3v2Artist->setText(v2.Artist);
            TextID3v2Album->setText(v2.Album);
            TextID3v2Year->setText(v2.Year);
            SetID3v2CommentBox(v2.Comment);
            SetComboText(ComboID3v2Genre, v2.Genre);
            TextID3v2Composer->setText(v2.Composer);
            TextID3v2OrigArtist->setText(v2.OrigArtist);
            TextID3v2Copyright->setText(v2.Copyright);
            TextID3v2URL->setText(v2.URL);
            TextID3v2Encodedby->setText(v2.EncodedBy);
        }
    }

    bool found = false;
    const MPEGInfo info = ReadMPEGInfo(mstrFileName, found);
    QString text = found ? MPEGDescription(info) : QStringLiteral("No information available");
    // The box shows the lines one under the other.
    TextMPEGInfo->setPlainText(text.replace(QLatin1String("\r\n"), QLatin1String("\n")));
}

QString FormFileInfo::MPEGDescription(const MPEGInfo& info) {
    const QString version = info.Version == 25 ? QStringLiteral("2.5") : QString::number(info.Version) + QLatin1String(".0");
    const QStringList lines = {
        QStringLiteral("Size: %1 bytes").arg(info.FileSize),
        QStringLiteral("Header found at: %1 bytes").arg(info.HeaderPosition),
        QStringLiteral("Length: %1 seconds").arg(info.LengthMs / 1000),
        QStringLiteral("MPEG %1 layer %2").arg(version).arg(info.Layer),
        QStringLiteral("%1 kbps, %2 frames").arg(info.Bitrate).arg(info.FrameCount),
        QStringLiteral("%1 Hz %2").arg(info.SampleRate).arg(info.ChannelMode),
        QStringLiteral("Private: ") + info.Private,
        QStringLiteral("CRCs: ") + info.CRCs,
        QStringLiteral("Copyrighted: ") + info.Copyrighted,
        QStringLiteral("Original: ") + info.Original,
        QStringLiteral("Emphasis: ") + info.Emphasis,
    };
    return lines.join(QLatin1String("\r\n"));
}

QList<QWidget*> FormFileInfo::ID3v1Boxes() const {
    return {TextID3v1Track, TextID3v1Title, TextID3v1Artist, TextID3v1Album, TextID3v1Year, TextID3v1Comment,
            ComboID3v1Genre};
}

QList<QWidget*> FormFileInfo::ID3v2Boxes() const {
    return {TextID3v2Track,    TextID3v2Title,      TextID3v2Artist,    TextID3v2Album,
            TextID3v2Year,     TextID3v2Comment,    TextID3v2Composer,  TextID3v2OrigArtist,
            TextID3v2Copyright, TextID3v2URL,       TextID3v2Encodedby, ComboID3v2Genre};
}

void FormFileInfo::SetGroupEnabled(bool enabled, const QList<QWidget*>& boxes, QPushButton* copyButton) {
    for (QWidget* box : boxes) {
        box->setEnabled(enabled);
        // Window background while usable, button face while not.
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, QApplication::palette().color(enabled ? QPalette::Base : QPalette::Button));
        box->setPalette(palette);
    }
    copyButton->setEnabled(enabled);
}

void FormFileInfo::SetID3v2CommentBox(const QString& text) {
    // The box shows CR LF, a lone CR and no-break spaces its own way and would
    // hand them back changed: the text itself is kept for as long as the
    // user leaves the box alone, so an unchanged comment is written back as
    // it was stored.
    m_id3v2Comment = text;
    TextID3v2Comment->setPlainText(text);
    TextID3v2Comment->document()->setModified(false);
}

QString FormFileInfo::ID3v2CommentBoxText() const {
    return TextID3v2Comment->document()->isModified() ? TextID3v2Comment->toPlainText() : m_id3v2Comment;
}

void FormFileInfo::CheckID3v1Tag_Click() {
    SetGroupEnabled(CheckID3v1Tag->isChecked(), ID3v1Boxes(), BtnCopyFromID3v1);
}

void FormFileInfo::CheckID3v2Tag_Click() {
    SetGroupEnabled(CheckID3v2Tag->isChecked(), ID3v2Boxes(), BtnCopyToID3v1);
}

void FormFileInfo::BtnCopyFromID3v1_Click() {
    CheckID3v2Tag->setChecked(true);
    CheckID3v2Tag_Click();
    TextID3v2Title->setText(TextID3v1Title->text());
    TextID3v2Artist->setText(TextID3v1Artist->text());
    TextID3v2Album->setText(TextID3v1Album->text());
    TextID3v2Year->setText(TextID3v1Year->text());
    SetID3v2CommentBox(TextID3v1Comment->text());
    TextID3v2Track->setText(TextID3v1Track->text());
    ComboID3v2Genre->setEditText(ComboID3v1Genre->currentText());
}

void FormFileInfo::BtnCopyToID3v1_Click() {
    CheckID3v1Tag->setChecked(true);
    CheckID3v1Tag_Click();
    // The boxes cut a text to their length at once.
    TextID3v1Title->setText(TextID3v2Title->text());
    TextID3v1Artist->setText(TextID3v2Artist->text());
    TextID3v1Album->setText(TextID3v2Album->text());
    TextID3v1Year->setText(TextID3v2Year->text());
    TextID3v1Comment->setText(ID3v2CommentBoxText());
    TextID3v1Track->setText(TextID3v2Track->text());
    const uint8_t genre = GetIDFromGenre(ComboID3v2Genre->currentText());
    SetComboText(ComboID3v1Genre, GetGenreFromID(genre));
}

void FormFileInfo::BtnOK_Click() {
    const QString path = mstrFileName;
    const bool writeReadOnly = Options().Preferences.blnWriteReadOnly;
    ResumeNext([&] {
        if (CheckID3v1Tag->isChecked()) {
            ID3v1Tag tag;
            tag.Title = TextID3v1Title->text();
            tag.Artist = TextID3v1Artist->text();
            tag.Album = TextID3v1Album->text();
            tag.Year = TextID3v1Year->text();
            tag.Comment = TextID3v1Comment->text();
            tag.Track = GetID3v1Track(TextID3v1Track->text());
            tag.Genre = GetIDFromGenre(ComboID3v1Genre->currentText());
            WriteID3v1TagInfo(path, tag, writeReadOnly);
        } else if (mblnHadID3v1Tag) {
            ClearID3v1Tag(path, writeReadOnly);
        }
    });
    ResumeNext([&] {
        if (CheckID3v2Tag->isChecked()) {
            ID3v2Tag tag;
            tag.Track = TextID3v2Track->text();
            tag.Title = TextID3v2Title->text();
            tag.Artist = TextID3v2Artist->text();
            tag.Album = TextID3v2Album->text();
            tag.Year = TextID3v2Year->text();
            tag.Comment = ID3v2CommentBoxText();
            tag.Genre = ComboID3v2Genre->currentText();
            tag.Composer = TextID3v2Composer->text();
            tag.OrigArtist = TextID3v2OrigArtist->text();
            tag.Copyright = TextID3v2Copyright->text();
            tag.URL = TextID3v2URL->text();
            tag.EncodedBy = TextID3v2Encodedby->text();
            LabelInfo->setText(GetResourceString(TextId::FileInfo::UpdatingFile));
            LabelInfo->repaint();
            WriteID3v2TagInfo(path, tag, writeReadOnly);
        } else if (mblnHadID3v2Tag) {
            ClearID3v2Tag(path, writeReadOnly);
        }
    });
    accept();
}

void FormFileInfo::BtnCancel_Click() { reject(); }

void FormFileInfo::done(int result) {
    if (!m_unloaded) {
        m_unloaded = true;
        ResumeNext([&] { WriteWindowPos(this); });
    }
    QDialog::done(result);
}

bool FormFileInfo::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        DisplayHelpTopic(0, HelpKeyF1);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FormFileInfo::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) DisplayHelpTopic(0, HelpKeyF1);
    QDialog::keyPressEvent(event);
}
