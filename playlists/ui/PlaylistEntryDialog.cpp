#include "playlists/ui/PlaylistEntryDialog.h"

#include "foundation/Errors.h"
#include "foundation/Help.h"
#include "foundation/MessageUi.h"
#include "foundation/ResourceStrings.h"
#include "foundation/SharedServices.h"
#include "foundation/Twips.h"
#include "playlists/PlaylistEntries.h"
#include "playlists/ui/PlaylistManager.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {
std::function<void(DialogPlaylistEntry&)>& Driver() {
    static std::function<void(DialogPlaylistEntry&)> driver;
    return driver;
}
}  // namespace

void SetPlaylistEntryDialogDriver(std::function<void(DialogPlaylistEntry&)> driver) { Driver() = std::move(driver); }

QString PlaylistEntryFileFilter() {
    static const char* const pairs[][2] = {
        {"All Supported Types",
         "*.mp3;*.mp2;*.mp1;*.wma;*.MJF;*.as;*.VOC;*.wav;*.CDA;*.nst;*.mod;*.stm;*.s3m;*.it;*.xm;*.mtm;*.ult;*.MID;"
         "*.RMI;*.HMP;*.HMI;*.XMI;*.MIZ"},
        {"MPEG Audio Files (*.mp3,*.mp2,*.mp1)", "*.mp3;*.mp2;*.mp1"},
        {"Windows Media Audio Files (*.wma)", "*.wma"},
        {"Mjuice Secure Music Files (*.MJF)", "*.MJF"},
        {"AudioSoft Files (*.as)", "*.as"},
        {"Creative Labs Voice Files (*.VOC)", "*.VOC"},
        {"Microsoft Waveform Audio Files (*.wav)", "*.wav"},
        {"CDDA Audio Tracks (*.CDA)", "*.CDA"},
        {"Protracker (*.mod,*.nst)", "*.mod;*.nst"},
        {"Soundtracker (15-inst) (*.mod)", "*.mod"},
        {"Screamtracker 2 (*.stm)", "*.stm"},
        {"Screamtracker 3 (*.s3m)", "*.s3m"},
        {"Impulsetracker (*.it)", "*.it"},
        {"Fasttracker 2 (*.xm)", "*.xm"},
        {"Multitracker (*.mtm)", "*.mtm"},
        {"Ultratracker (*.ult)", "*.ult"},
        {"MIDI Files (*.MID,*.RMI,*.HMP,*.HMI,*.XMI,*.MIZ)", "*.MID;*.RMI;*.HMP;*.HMI;*.XMI;*.MIZ"},
        {"All Files (*.*)", "*.*"},
    };
    QStringList parts;
    for (const auto& pair : pairs) parts << QString::fromLatin1(pair[0]) << QString::fromLatin1(pair[1]);
    return parts.join(QLatin1Char('|'));
}

DialogPlaylistEntry::DialogPlaylistEntry(FormPlaylistManager& owner, int selectedRow)
    : QDialog(&owner), CommonDialogFile(this, QStringLiteral("CommonDialogFile")), m_owner(owner),
      m_selectedRow(selectedRow) {
    setObjectName(QStringLiteral("DialogPlaylistEntry"));
    setModal(true);
    LabelTitle = new QLabel(this);
    LabelTitle->setObjectName(QStringLiteral("LabelTitle"));
    TextTitle = new QLineEdit(this);
    TextTitle->setObjectName(QStringLiteral("TextTitle"));
    LabelFile = new QLabel(this);
    LabelFile->setObjectName(QStringLiteral("LabelFile"));
    TextFile = new QLineEdit(this);
    TextFile->setObjectName(QStringLiteral("TextFile"));
    LabelTitle->setBuddy(TextTitle);
    LabelFile->setBuddy(TextFile);
    BtnBrowse = new QPushButton(QStringLiteral("&Browse..."), this);
    BtnBrowse->setObjectName(QStringLiteral("BtnBrowse"));
    BtnBrowse->setAutoDefault(false);
    OKButton = new QPushButton(this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(LabelTitle, 0, 0);
    grid->addWidget(TextTitle, 0, 1, 1, 2);
    grid->addWidget(LabelFile, 1, 0);
    grid->addWidget(TextFile, 1, 1);
    grid->addWidget(BtnBrowse, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    grid->addLayout(buttons, 2, 0, 1, 3);
    grid->setColumnStretch(1, 1);

    connect(BtnBrowse, &QPushButton::clicked, this, [this] { ResumeNext([&] { BtnBrowse_Click(); }); });
    connect(OKButton, &QPushButton::clicked, this, [this] { ResumeNext([&] { OKButton_Click(); }); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { ResumeNext([&] { CancelButton_Click(); }); });

    // Load.
    ResumeNext([&] { InitialiseDialogText(); });
    // Wide enough for a full path.
    resize(std::max(sizeHint().width(), TwipsToPixelsX(9600)), sizeHint().height());
    // Centred on the Playlist Manager.
    const QRect o = owner.frameGeometry();
    move(o.left() + o.width() / 2 - width() / 2, o.top() + o.height() / 2 - height() / 2);
    CommonDialogFile.Flags = Cdl::OFNFileMustExist | Cdl::OFNHideReadOnly | Cdl::OFNOverwritePrompt;  // 4102
    m_owner.mblnPlaylistChanged = false;
}

void DialogPlaylistEntry::InitialiseDialogText() {
    WithTrail(QStringLiteral("InitialiseDialogText"), [&] {
        using namespace TextId::Playlist;
        setWindowTitle(GetResourceString(EntryCaption));
        LabelTitle->setText(GetResourceString(EntryTitle));
        LabelTitle->setToolTip(GetResourceString(EntryTitleTip));
        TextTitle->setToolTip(GetResourceString(EntryTitleTip));
        LabelFile->setText(GetResourceString(EntryFile));
        LabelFile->setToolTip(GetResourceString(EntryFileTip));
        TextFile->setToolTip(GetResourceString(EntryFileTip));
        OKButton->setText(GetResourceString(OK));
        CancelButton->setText(GetResourceString(Cancel));
    });
}

void DialogPlaylistEntry::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Activate: the whole file path is selected.
    TextFile->setSelection(0, int(TextFile->text().size()));
}

void DialogPlaylistEntry::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) ResumeNext([&] { DisplayHelpTopic(5, 112); });
    QDialog::keyPressEvent(event);
}

void DialogPlaylistEntry::BtnBrowse_Click() {
    QString fileName;
    if (!DisplayCommonDialogOpen(CommonDialogFile, GetResourceString(TextId::Playlist::FindEntryFile),
                                 PlaylistEntryFileFilter(), fileName, QString()))
        return;
    TextFile->setText(fileName);
    QString title;
    GetTitleFromID3(fileName, title, true);
    TextTitle->setText(title);
}

void DialogPlaylistEntry::OKButton_Click() {
    if (TextFile->text().isEmpty() || TextTitle->text().isEmpty()) {
        MsgBox(GetResourceString(TextId::Playlist::FieldsIncompleteText), Mb::OKOnly | Mb::Exclamation,
               GetResourceString(TextId::Playlist::FieldsIncomplete));
        m_owner.mblnPlaylistChanged = false;
        return;
    }
    const QString file = TextFile->text();
    const QString title = TextTitle->text();
    const bool rowValid = m_selectedRow >= 0 && size_t(m_selectedRow) < gPlaylistEntries.size();
    switch (mplaylistEntry) {
    case 0:
        if (rowValid) EditPlaylistEntry(gPlaylistEntries, size_t(m_selectedRow), file, title);
        break;
    case 1:
        if (rowValid) InsertPlaylistEntry(gPlaylistEntries, size_t(m_selectedRow), file, title);
        break;
    case 2: AddPlaylistEntry(gPlaylistEntries, file, title); break;
    default: break;
    }
    m_owner.mblnPlaylistChanged = true;
    accept();
}

void DialogPlaylistEntry::CancelButton_Click() { reject(); }

void DialogPlaylistEntry::ShowModal() {
    if (Driver()) {
        QTimer::singleShot(0, this, [this] {
            Driver()(*this);
            // A driver that leaves the dialog open closes it as Cancel would.
            if (isVisible()) reject();
        });
    }
    exec();
}
