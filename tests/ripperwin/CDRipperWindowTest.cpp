#include "../ripper/CddbStubServer.h"
#include "../ripper/RipperTestSupport.h"

#include "foundation/EncoderFileList.h"
#include "foundation/Errors.h"
#include "foundation/OptionRecords.h"
#include "foundation/ResourceStrings.h"
#include "foundation/StoredValues.h"
#include "options/WindowSettings.h"
#include "ripper/CdDatabase.h"
#include "ripper/CueSheet.h"
#include "ripper/TrackListModel.h"
#include "ripper/TrackRip.h"
#include "ripper/ui/CDRipper.h"
#include "scanning/ui/WindowServices.h"
#include "foundation/WindowProtocol.h"
#include "shell/menus/KeyboardState.h"
#include "shell/ui/SkinnedControls.h"
#include "support/ScopedEnvironment.h"
#include "support/ScopedOptions.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QTest>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTcpServer>
#include <QTimer>
#include <QTreeView>

#include <fcntl.h>
#include <optional>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// The Encoder Decoder as the rip sees it: a long-job host that takes files.
class FakeEncoder : public IToolWindow, public ILongJobHost, public IEncoderFileList {
public:
    FakeEncoder() { WindowRegistry::Register(this); }
    ~FakeEncoder() override { WindowRegistry::Unregister(this); }
    QString Name() const override { return WindowNames::EncoderDecoder; }
    QString Caption() const override { return QStringLiteral("Encoder Decoder"); }
    void ShowWindow() override {}
    void UnloadWindow() override {}
    void EnableControls(bool enable) override { events << (enable ? "encoder on" : "encoder off"); }
    void SetProgBarValue(double) override {}
    void SetProgBarMax(double) override {}
    void SetStatusBarCaption(const QString&) override {}
    void SetBusyPointer(bool) override {}
    void AddFilesToEncoderList(const QStringList& paths) override {
        for (const QString& p : paths) events << "add " + FileNamePart(p);
        added << paths;
    }
    QStringList events;
    QStringList added;

private:
    static QString FileNamePart(const QString& p) { return p.mid(p.lastIndexOf('/') + 1); }
};

class CDRipperWindowTest : public RipperTest {
protected:
    void SetUp() override {
        RipperTest::SetUp();
        Options().Preferences.blnUseSkins = true;
        Options().Preferences.strSkinScheme = QStringLiteral("Fun Blue");
    }
    void TearDown() override {
        for (IToolWindow* w : WindowRegistry::Loaded())
            if (auto* ripper = dynamic_cast<FormCDRipper*>(w)) delete ripper;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        SetFolderBrowser({});
        RipperTest::TearDown();
    }
    FormCDRipper* OpenRipper() {
        auto* w = new FormCDRipper;
        w->TextOutputDirectory->setText(output);
        return w;
    }
    static QStringList Column(const FormCDRipper& w, int column) {
        QStringList out;
        for (int r = 0; r < w.Tracks()->rowCount(); ++r) out << w.Tracks()->index(r, column).data().toString();
        return out;
    }
    static bool Ticked(const FormCDRipper& w, int row) {
        return w.Tracks()->index(row, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked;
    }
    // Runs the event loop until `done` holds; false when it has not after a
    // minute (a hang, not a question of speed).
    template <typename Done>
    static bool WaitFor(Done done) {
        const QDeadlineTimer guard(std::chrono::minutes(1));
        while (!done() && !guard.hasExpired()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        return done();
    }
    // A ripper with skins off, so that its CDDB button shows, asking `server`
    // (or whatever listens on `port` of this machine).
    FormCDRipper* OpenPlainRipper(const CddbStubServer& server) { return OpenPlainRipper(server.port()); }
    FormCDRipper* OpenPlainRipper(quint16 port) {
        Options().Preferences.blnUseSkins = false;
        Stored::SaveText(kCdDatabaseSection, kCdDatabaseServerKey, QStringLiteral("127.0.0.1:%1").arg(port));
        FormCDRipper* w = OpenRipper();
        w->show();
        EXPECT_TRUE(w->BtnCDDB->isVisible());
        return w;
    }
    QByteArray DiscId() const {
        int32_t error = 0;
        CdTableOfContents toc;
        auto drive = CdDrive::Open(image.cuePath, error);
        EXPECT_TRUE(drive && drive->ReadToc(toc));
        return QByteArray::number(CdDatabaseDiscId(toc), 16).rightJustified(8, '0');
    }
    static void Tick(FormCDRipper& w, int row, bool on) {
        w.Tracks()->setData(w.Tracks()->index(row, 0), on ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
    }
    bool Rename(FormCDRipper& w, int row, const QString& name) {
        return w.Tracks()->setData(w.Tracks()->index(row, 0), name, Qt::EditRole);
    }

    ScopedOptions options;
};

}  // namespace

TEST_F(CDRipperWindowTest, LoadsTheDiscOfTheFirstDriveWithItsTextsAndTicksItsAudioTracks) {
    FormCDRipper* w = OpenRipper();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("CD Ripper"));
    EXPECT_EQ(w->LabelDrives->text(), QStringLiteral("&Drives:"));
    EXPECT_EQ(w->LabelTracks->text(), QStringLiteral("&Tracks:"));
    EXPECT_EQ(w->LabelOutputDirectory->text(), QStringLiteral("&Output Directory:"));
    EXPECT_EQ(w->mbuttonBrowse.Caption(), QStringLiteral("&Browse..."));
    EXPECT_EQ(w->mbuttonRip.Caption(), QStringLiteral("&Rip"));
    EXPECT_EQ(w->mbuttonRip.ToolTipText(), QStringLiteral("Press to rip the audio tracks from CD."));
    EXPECT_EQ(w->mbuttonStop.Caption(), QStringLiteral("&Stop"));
    EXPECT_EQ(w->mbuttonStop.ToolTipText(), QStringLiteral("Press to stop the process."));
    EXPECT_EQ(w->BtnCDDB->text(), QStringLiteral("&CDDB"));
    EXPECT_EQ(w->ListViewTracks->toolTip(), GetResourceString(TextId::Ripper::TrackNamesTip));
    // A plain button: hidden while the window wears its skin.
    EXPECT_TRUE(w->BtnCDDB->isHidden());

    ASSERT_EQ(w->ComboDrives->count(), 1);
    EXPECT_EQ(w->ComboDrives->itemText(0), image.cuePath);
    EXPECT_EQ(Column(*w, 0), (QStringList{"Track 1", "Track 2", "Track 3"}));
    EXPECT_EQ(Column(*w, 1), (QStringList{"0", "100", "160"}));
    EXPECT_EQ(Column(*w, 2), (QStringList{"100", "160", "210"}));
    EXPECT_EQ(Column(*w, 3), (QStringList{"Audio", "Audio", "Data"}));
    EXPECT_TRUE(Ticked(*w, 0));
    EXPECT_TRUE(Ticked(*w, 1));
    // The data track is marked, unticked and cannot be ticked.
    EXPECT_FALSE(Ticked(*w, 2));
    EXPECT_FALSE(w->Tracks()->flags(w->Tracks()->index(2, 0)) & Qt::ItemIsUserCheckable);
    Tick(*w, 2, true);
    EXPECT_FALSE(Ticked(*w, 2));
    EXPECT_TRUE(w->mbuttonRip.Enabled());
    EXPECT_FALSE(w->mbuttonStop.Enabled());
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(CDRipperWindowTest, NoDriveOrNoDiscGivesAnEmptyListAndNoRipWithoutAnErrorBox) {
    const QStringList lists[] = {{}, {home.file("no disc here.cue")}};
    for (const QStringList& drives : lists) {
        SCOPED_TRACE(drives.join(",").toStdString());
        SetCdDriveListerForTesting([drives] { return drives; });
        // Twice: as at start-up when the window was open at the last exit.
        for (int round = 0; round < 2; ++round) {
            QPointer<FormCDRipper> w = OpenRipper();
            EXPECT_EQ(w->Tracks()->rowCount(), 0);
            EXPECT_FALSE(w->mbuttonRip.Enabled());
            EXPECT_EQ(w->Drive(), nullptr);
            w->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            EXPECT_TRUE(w.isNull());
        }
    }
    EXPECT_TRUE(ui.shown.empty());
    // Choosing a drive that cannot be opened says why, in a plain box.
    FormCDRipper* w = OpenRipper();
    w->ComboDrives_Click();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].prompt, CdLibraryErrorText(CdError::NotACdDevice));
    EXPECT_EQ(ui.shown[0].style, Mb::OKOnly);
    EXPECT_FALSE(w->mbuttonRip.Enabled());
}

TEST_F(CDRipperWindowTest, ChoosingTheDriveAgainRebuildsTheRows) {
    FormCDRipper* w = OpenRipper();
    ASSERT_TRUE(Rename(*w, 0, QStringLiteral("Intro")));
    Tick(*w, 1, false);
    w->ComboDrives_Click();
    EXPECT_NE(w->Drive(), nullptr);
    EXPECT_EQ(Column(*w, 0), (QStringList{"Track 1", "Track 2", "Track 3"}));
    EXPECT_TRUE(Ticked(*w, 1));
}

TEST_F(CDRipperWindowTest, RenamedRowsLoseForbiddenCharactersAndNeverRepeatAName) {
    FormCDRipper* w = OpenRipper();
    const struct {
        int row;
        const char* typed;
        bool accepted;
        const char* name;
        bool message;
    } cases[] = {
        {0, "  Side A: Opening  ", true, "Side A Opening", false},
        {1, "  ", false, "Track 2", false},
        {1, "?*<>|", false, "Track 2", false},
        {1, "side a opening", false, "Track 2", true},  // another row's name in other capitals
        {1, "Track 2", false, "Track 2", true},         // its own name
        {1, "a/b\\c", true, "abc", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        ui.shown.clear();
        EXPECT_EQ(Rename(*w, c.row, QString::fromUtf8(c.typed)), c.accepted);
        EXPECT_EQ(w->Tracks()->Name(c.row), QString::fromUtf8(c.name));
        ASSERT_EQ(ui.shown.size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_EQ(ui.shown[0].prompt, QStringLiteral("There is already a track in the current list with this "
                                                         "name. Please choose another name."));
            EXPECT_EQ(ui.shown[0].title, QStringLiteral("Track Name Already Exists"));
            EXPECT_EQ(ui.shown[0].style, Mb::OKOnly | Mb::Exclamation);
        }
    }
}

TEST_F(CDRipperWindowTest, RipIsOnExactlyWhileARowIsTicked) {
    FormCDRipper* w = OpenRipper();
    Tick(*w, 0, false);
    EXPECT_TRUE(w->mbuttonRip.Enabled());
    Tick(*w, 1, false);
    EXPECT_FALSE(w->mbuttonRip.Enabled());
    Tick(*w, 1, true);
    EXPECT_TRUE(w->mbuttonRip.Enabled());
}

TEST_F(CDRipperWindowTest, RipWritesTheTickedTracksAndHandsThemToTheEncoderDecoder) {
    FakeEncoder encoder;
    FormCDRipper* w = OpenRipper();
    ASSERT_TRUE(Rename(*w, 1, QStringLiteral("Second Song")));
    // Alt+R presses Rip.
    w->ProcessShortcutKeys(82, ShiftBit::Alt);
    EXPECT_EQ(encoder.added, (QStringList{OutFile("Track 1.wav"), OutFile("Second Song.wav")}));
    // The Encoder Decoder's job starts first and ends last; the files arrive in between.
    EXPECT_EQ(encoder.events,
              (QStringList{"encoder off", "add Track 1.wav", "add Second Song.wav", "encoder on"}));
    EXPECT_FALSE(encoder.mblnProcessRunning);
    EXPECT_FALSE(w->mblnProcessRunning);
    EXPECT_TRUE(w->mbuttonRip.Enabled());
    EXPECT_TRUE(ReadBytes(OutFile("Second Song.wav")).mid(44) == image.Bytes(100, 160));
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(CDRipperWindowTest, ARipWaitsForAnEncoderDecoderThatRunsAJob) {
    FakeEncoder encoder;
    encoder.mblnProcessRunning = true;
    FormCDRipper* w = OpenRipper();
    w->BtnRip_Click();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_TRUE(ui.shown[0].prompt.contains(QStringLiteral("Encoder Decoder")));
    EXPECT_TRUE(QDir(output).isEmpty());
    EXPECT_FALSE(w->mblnProcessRunning);
}

TEST_F(CDRipperWindowTest, WithoutAnEncoderDecoderTheRipStillRuns) {
    FormCDRipper* w = OpenRipper();
    w->BtnRip_Click();
    EXPECT_TRUE(QFileInfo::exists(OutFile("Track 1.wav")));
    EXPECT_TRUE(QFileInfo::exists(OutFile("Track 2.wav")));
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(CDRipperWindowTest, AltSStopsARunningRipAndNothingUnfinishedIsListed) {
    FakeEncoder encoder;
    FormCDRipper* w = OpenRipper();
    bool stopWasOn = false;
    // The rip yields before its first chunk; Alt+S arrives then.
    QTimer::singleShot(0, w, [&] {
        stopWasOn = w->mbuttonStop.Enabled();
        EXPECT_FALSE(w->mbuttonRip.Enabled());
        EXPECT_FALSE(w->ComboDrives->isEnabled());
        w->ProcessShortcutKeys(83, ShiftBit::Alt);
    });
    w->BtnRip_Click();
    EXPECT_TRUE(stopWasOn);
    EXPECT_TRUE(encoder.added.isEmpty());
    EXPECT_TRUE(QDir(output).entryList(QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_FALSE(w->mbuttonStop.Enabled());
    EXPECT_TRUE(w->mbuttonRip.Enabled());
}

TEST_F(CDRipperWindowTest, ClosingDuringARipStopsItAndClosesAfterItsLoopHasEnded) {
    FakeEncoder encoder;
    QPointer<FormCDRipper> w = OpenRipper();
    bool stillThereAfterClose = false;
    QTimer::singleShot(0, w, [&] {
        w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        stillThereAfterClose = !w.isNull() && WindowRegistry::Find(WindowNames::CDRipper) == w;
    });
    w->BtnRip_Click();
    EXPECT_TRUE(stillThereAfterClose);
    ASSERT_FALSE(w.isNull());
    EXPECT_TRUE(w->mblnStopAll || !w->mblnProcessRunning);
    EXPECT_EQ(encoder.events.last(), QStringLiteral("encoder on"));
    // The close happens once the click handler has returned.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
    EXPECT_EQ(WindowRegistry::Find(WindowNames::CDRipper), nullptr);
    EXPECT_TRUE(encoder.added.isEmpty());
}

TEST_F(CDRipperWindowTest, FocusKeysAndDisabledButtons) {
    FormCDRipper* w = OpenRipper();
    w->show();
    w->activateWindow();
    w->ProcessShortcutKeys(84, ShiftBit::Alt);  // T
    EXPECT_EQ(w->focusWidget(), w->ListViewTracks);
    w->ProcessShortcutKeys(79, ShiftBit::Alt);  // O
    EXPECT_EQ(w->focusWidget(), w->TextOutputDirectory);
    w->ProcessShortcutKeys(68, ShiftBit::Alt);  // D
    EXPECT_EQ(w->focusWidget(), w->ComboDrives);
    // Alt+R with nothing ticked, Alt+S with no rip: nothing happens.
    for (int r = 0; r < 2; ++r) Tick(*w, r, false);
    w->ProcessShortcutKeys(82, ShiftBit::Alt);
    w->ProcessShortcutKeys(83, ShiftBit::Alt);
    EXPECT_FALSE(w->mblnStopAll);
    EXPECT_TRUE(QDir(output).isEmpty());
    // Keys without Alt are the key router's (F1); the window's table ignores them.
    w->ProcessShortcutKeys(82, 0);
    EXPECT_TRUE(QDir(output).isEmpty());
}

TEST_F(CDRipperWindowTest, BrowseReplacesTheOutputFolderUnlessCancelled) {
    FormCDRipper* w = OpenRipper();
    QString asked;
    QString answer = home.file("chosen");
    SetFolderBrowser([&](QWidget*, const QString& prompt) {
        asked = prompt;
        return answer;
    });
    w->ProcessShortcutKeys(66, ShiftBit::Alt);  // B
    EXPECT_EQ(asked, QStringLiteral("Select output directory for WAV files."));
    EXPECT_EQ(w->TextOutputDirectory->text(), home.file("chosen"));
    answer.clear();
    w->BtnBrowse_Click();
    EXPECT_EQ(w->TextOutputDirectory->text(), home.file("chosen"));
}

TEST_F(CDRipperWindowTest, TheOutputFolderStartsInTheUsersMusicFolderAndIsKeptAcrossRuns) {
    // The program's own folder is no place for rips (read-only once installed).
    const QString music = home.file("My Music");
    QDir().mkpath(music);
    ScopedEnvironment musicVariable("XDG_MUSIC_DIR", QFile::encodeName(music));
    {
        FormCDRipper* w = new FormCDRipper;
        EXPECT_EQ(w->TextOutputDirectory->text(), music);
        w->TextOutputDirectory->setText(QStringLiteral("/music/rips"));
        w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_EQ(Stored::Text(QStringLiteral("CDRipper"), QStringLiteral("OutputDirectory")),
              QStringLiteral("/music/rips"));
    FormCDRipper* again = new FormCDRipper;
    EXPECT_EQ(again->TextOutputDirectory->text(), QStringLiteral("/music/rips"));
}

TEST_F(CDRipperWindowTest, CddbAsksTheConfiguredServerAboutTheDiscAndShowsNothing) {
    FormCDRipper* w = OpenRipper();
    CdTableOfContents toc;
    ASSERT_TRUE(w->Drive()->ReadToc(toc));
    const QByteArray id = QByteArray::number(CdDatabaseDiscId(toc), 16).rightJustified(8, '0');
    CddbStubServer server(id);
    Stored::SaveText(kCdDatabaseSection, kCdDatabaseServerKey, QStringLiteral("127.0.0.1:%1").arg(server.port()));
    w->BtnCDDB_Click();
    EXPECT_TRUE(WaitFor([&] { return !w->CdDatabase()->Running(); }));
    const QList<QByteArray> requests = server.requests();
    ASSERT_EQ(requests.size(), 2);
    EXPECT_TRUE(requests[0].contains("cmd=cddb+query+" + id));
    EXPECT_TRUE(requests[0].contains("+viriduzi+0.12"));
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(Column(*w, 0), (QStringList{"Track 1", "Track 2", "Track 3"}));

    // With no disc nothing is asked.
    SetCdDriveListerForTesting([] { return QStringList{}; });
    FormCDRipper* empty = OpenRipper();
    empty->BtnCDDB_Click();
    EXPECT_EQ(server.requests().size(), 2);
    EXPECT_TRUE(ui.shown.empty());
}

// A server that answers a line now and then but never finishes must not hold
// up the program: the window goes on serving events while the query runs,
// and the query gives up at its time limit.
TEST_F(CDRipperWindowTest, ACddbServerThatTricklesLeavesTheWindowResponsiveUntilTheTimeLimit) {
    CddbStubServer server(DiscId(), CddbStubServer::Mode::Trickle);
    FormCDRipper* w = OpenPlainRipper(server);
    // Short, so that the test does not wait long; the server would go on for far longer.
    w->CdDatabase()->SetTimeLimit(std::chrono::milliseconds(600));
    std::optional<CdDatabaseAnswer> answer;
    QObject::connect(w->CdDatabase(), &CdDatabaseQuery::finished, [&](const CdDatabaseAnswer& a) { answer = a; });
    int ticksWhileAnswering = 0;
    bool stopWhileAnswering = false;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (!server.answering()) return;
        ++ticksWhileAnswering;
        stopWhileAnswering = stopWhileAnswering || w->mbuttonStop.Enabled();
    });
    ticker.start(10);

    QTest::mouseClick(w->BtnCDDB, Qt::LeftButton);
    EXPECT_TRUE(WaitFor([&] { return answer.has_value(); }));
    EXPECT_GT(ticksWhileAnswering, 0);
    EXPECT_TRUE(stopWhileAnswering);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->end, CdDatabaseEnd::TimedOut);
    // The window ended the answer, not the server.
    EXPECT_TRUE(WaitFor([&] { return !server.answering(); }));
    EXPECT_EQ(server.hangUps(), 1);
    EXPECT_FALSE(w->mbuttonStop.Enabled());
    EXPECT_TRUE(w->mbuttonRip.Enabled());
    EXPECT_TRUE(ui.shown.empty());
}

// While alive, the process can open no further file: its lowest free
// descriptor becomes its limit.
class NoFreeFileDescriptors {
public:
    NoFreeFileDescriptors() {
        if (::getrlimit(RLIMIT_NOFILE, &m_old) != 0) return;
        const int lowest = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        if (lowest < 0) return;
        ::close(lowest);
        rlimit tight = m_old;
        tight.rlim_cur = rlim_t(lowest);
        m_set = ::setrlimit(RLIMIT_NOFILE, &tight) == 0;
    }
    ~NoFreeFileDescriptors() {
        if (m_set) ::setrlimit(RLIMIT_NOFILE, &m_old);
    }
    NoFreeFileDescriptors(const NoFreeFileDescriptors&) = delete;
    NoFreeFileDescriptors& operator=(const NoFreeFileDescriptors&) = delete;
    bool Set() const { return m_set; }

private:
    rlimit m_old{};
    bool m_set = false;
};

// A query that fails leaves Stop off and the window free, whether the
// failure comes from the event loop (the server refuses the connection) or
// before the click that started the query has returned (no socket can be
// made).
TEST_F(CDRipperWindowTest, ACddbQueryThatFailsAtOnceLeavesStopOff) {
    quint16 closedPort = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
        closedPort = probe.serverPort();
    }
    const QString setting = QStringLiteral("127.0.0.1:%1").arg(closedPort);
    FormCDRipper* w = OpenPlainRipper(closedPort);
    std::optional<CdDatabaseAnswer> answer;
    QObject::connect(w->CdDatabase(), &CdDatabaseQuery::finished, [&](const CdDatabaseAnswer& a) { answer = a; });
    for (const bool noSocket : {false, true}) {
        SCOPED_TRACE(noSocket ? "no socket can be made" : "the connection is refused");
        answer.reset();
        {
            std::optional<NoFreeFileDescriptors> full;
            if (noSocket) {
                full.emplace();
                ASSERT_TRUE(full->Set());
                // The setting still comes from the store's cache (else the
                // query would ask the default server instead).
                ASSERT_EQ(Stored::Text(kCdDatabaseSection, kCdDatabaseServerKey), setting);
            }
            QTest::mouseClick(w->BtnCDDB, Qt::LeftButton);
        }
        ASSERT_TRUE(WaitFor([&] { return answer.has_value(); }));
        EXPECT_EQ(answer->end, CdDatabaseEnd::Failed);
        QCoreApplication::processEvents();
        EXPECT_FALSE(w->CdDatabase()->Running());
        EXPECT_FALSE(w->mblnProcessRunning);
        EXPECT_FALSE(w->mbuttonStop.Enabled());
        EXPECT_TRUE(w->mbuttonRip.Enabled());
        EXPECT_TRUE(w->mbuttonBrowse.Enabled());
        EXPECT_TRUE(w->BtnCDDB->isEnabled());
        EXPECT_TRUE(w->ComboDrives->isEnabled());
        EXPECT_TRUE(ui.shown.empty());
        // Alt+S finds Stop off and does nothing.
        w->ProcessShortcutKeys(83, ShiftBit::Alt);
        EXPECT_FALSE(w->mblnStopAll);
    }
}

TEST_F(CDRipperWindowTest, StopOrClosingTheWindowEndsARunningCddbQuery) {
    CddbStubServer server(DiscId(), CddbStubServer::Mode::Trickle);
    QPointer<FormCDRipper> w = OpenPlainRipper(server);
    QTest::mouseClick(w->BtnCDDB, Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return server.answering(); }));
    EXPECT_TRUE(w->mbuttonStop.Enabled());
    // A second click while it runs asks nothing more.
    QTest::mouseClick(w->BtnCDDB, Qt::LeftButton);
    // Alt+S presses Stop.
    w->ProcessShortcutKeys(83, ShiftBit::Alt);
    EXPECT_FALSE(w->CdDatabase()->Running());
    EXPECT_FALSE(w->mbuttonStop.Enabled());
    EXPECT_TRUE(WaitFor([&] { return server.hangUps() == 1; }));

    QTest::mouseClick(w->BtnCDDB, Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return server.answering(); }));
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
    EXPECT_TRUE(WaitFor([&] { return server.hangUps() == 2; }));
    EXPECT_EQ(server.requests().size(), 2);
    EXPECT_TRUE(ui.shown.empty());
}

// Without a drive, disc images named in the environment are the drives: a
// good one is listed, ripped and queried; a broken sheet is refused, with a
// message, before the CD library reads it.
TEST_F(CDRipperWindowTest, DiscImagesNamedInTheEnvironmentAreDrivesAndBrokenSheetsAreRefused) {
    SetCdDriveListerForTesting({});
    ScopedEnvironment devices(kCdDevicesVariable, std::nullopt);
    const QStringList system = ListCdDrives();
    const QString broken = WriteFile(home.file("bad"), QStringLiteral("broken.cue"),
                                     ReadBytes(QStringLiteral(SV_TEST_DATA_DIR "/cue/malformed-crashes-libcdio.cue")));
    WriteFile(home.file("bad"), QStringLiteral("broken.bin"), QByteArray(100 * kCdFrameBytes, '\0'));
    devices.Set(QFile::encodeName(broken + ":" + image.binPath));
    const QString refusal = CueProblemText(CheckCueSheetFile(broken), broken);
    ASSERT_TRUE(refusal.contains(QStringLiteral("line 1")));

    FakeEncoder encoder;
    CddbStubServer server(DiscId());
    FormCDRipper* w = OpenPlainRipper(server);
    QStringList listed;
    for (int i = 0; i < w->ComboDrives->count(); ++i) listed << w->ComboDrives->itemText(i);
    const QStringList images{broken, image.binPath};
    EXPECT_EQ(listed, system + images);
    if (system.isEmpty()) {
        // The broken sheet is the first drive: refused as the window opens.
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].prompt, refusal);
        EXPECT_EQ(w->Tracks()->rowCount(), 0);
    }

    ui.shown.clear();
    w->ComboDrives->setCurrentIndex(int(system.size()));
    w->ComboDrives_Click();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].prompt, refusal);
    EXPECT_EQ(ui.shown[0].style, Mb::OKOnly);
    EXPECT_EQ(w->Drive(), nullptr);
    EXPECT_FALSE(w->mbuttonRip.Enabled());

    ui.shown.clear();
    w->ComboDrives->setCurrentIndex(int(system.size()) + 1);
    w->ComboDrives_Click();
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(Column(*w, 0), (QStringList{"Track 1", "Track 2", "Track 3"}));
    w->ProcessShortcutKeys(82, ShiftBit::Alt);
    EXPECT_EQ(encoder.added, (QStringList{OutFile("Track 1.wav"), OutFile("Track 2.wav")}));
    EXPECT_TRUE(ReadBytes(OutFile("Track 2.wav")).mid(44) == image.Bytes(100, 160));
    QTest::mouseClick(w->BtnCDDB, Qt::LeftButton);
    EXPECT_TRUE(WaitFor([&] { return !w->CdDatabase()->Running(); }));
    EXPECT_EQ(server.requests().size(), 2);
    EXPECT_TRUE(ui.shown.empty());
}
