#include "foundation/Errors.h"
#include "foundation/LongJob.h"
#include "foundation/MessageUi.h"
#include "foundation/ResourceStrings.h"
#include "foundation/WindowProtocol.h"
#include "support/ScopedOptions.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

// A tool window as the protocol sees it: it records what was done to it.
class FakeWindow : public IToolWindow, public ILongJobHost {
public:
    FakeWindow(QString name, QString caption) : m_name(std::move(name)), m_caption(std::move(caption)) {
        WindowRegistry::Register(this);
    }
    QString Name() const override { return m_name; }
    QString Caption() const override { return m_caption; }
    void ShowWindow() override {}
    void UnloadWindow() override {}

    void EnableControls(bool enable) override {
        enableCalls.push_back(enable);
        if (enable ? failEnable : failDisable) RaiseError(ErrNo::InvalidCall);
    }
    void SetProgBarValue(double value) override { progBar = value; }
    void SetProgBarMax(double maximum) override { progBarMax = maximum; }
    void SetStatusBarCaption(const QString& text) override { status = text; }
    void SetBusyPointer(bool on) override { busy = on; }

    std::vector<bool> enableCalls;
    // EnableControls(true) or EnableControls(false) fails (after recording the call).
    bool failEnable = false, failDisable = false;
    double progBar = 37;
    double progBarMax = 100;
    QString status;
    bool busy = false;

private:
    QString m_name, m_caption;
};

class FakeMain : public FakeWindow, public IScanResultsHost {
public:
    FakeMain() : FakeWindow(WindowNames::ScanningCentre, QStringLiteral("ZA3 Redozozo Reveva")) {}
    int64_t ScanResultsCount() const override { return rows; }
    void SetScanButtonEnabled(bool enabled) override { scanButton = enabled; }
    void SetScanResultsEnabled(bool enabled) override { list = enabled; }
    int64_t rows = 0;
    bool scanButton = true;
    bool list = true;
    // Scanning allowed again: the flag cleared, the Scan button and the list enabled.
    bool Unlocked() const { return !mblnInhibitScan && scanButton && list; }
};

// A window that is not a long-job host.
class PlainWindow : public IToolWindow {
public:
    QString Name() const override { return QStringLiteral("DialogPlain"); }
    QString Caption() const override { return QStringLiteral("Plain"); }
    void ShowWindow() override {}
    void UnloadWindow() override {}
};

class LongJob : public ::testing::Test {
protected:
    void SetUp() override { SetStringTableLanguage(StringTableLanguage::US); }
    void TearDown() override {
        for (IToolWindow* w : WindowRegistry::Loaded()) WindowRegistry::Unregister(w);
    }
    ScriptedUi ui;
};

constexpr int kWarning = Mb::OKOnly | Mb::Exclamation;
const QString kRunningTitle = QStringLiteral("Process Running");
QString RunningText(const QString& caption) {
    return QStringLiteral("There is currently a process running in ") + caption +
           QStringLiteral(". Please stop the process before closing the window.");
}

}  // namespace

TEST_F(LongJob, StartPutsTheWindowIntoItsBusyStateAndConcludeRestoresIt) {
    FakeMain main;
    FakeWindow finder(WindowNames::DuplicateFinder, QStringLiteral("Duplicate Finder"));
    finder.mblnStopAll = true;

    ASSERT_TRUE(InitialiseNewProcess(&finder, false, false));
    EXPECT_TRUE(finder.mblnProcessRunning);
    EXPECT_FALSE(finder.mblnStopAll);
    EXPECT_TRUE(finder.busy);
    EXPECT_EQ(finder.enableCalls, std::vector<bool>{false});
    // A job that does not work on the scan results leaves the Scanning Centre alone.
    EXPECT_FALSE(main.mblnInhibitScan);
    EXPECT_TRUE(main.scanButton);
    EXPECT_TRUE(ui.shown.empty());

    finder.mblnStopAll = true;
    ConcludeProcess(&finder);
    EXPECT_FALSE(finder.mblnProcessRunning);
    EXPECT_FALSE(finder.mblnStopAll);
    EXPECT_FALSE(finder.busy);
    EXPECT_EQ(finder.enableCalls, (std::vector<bool>{false, true}));
    EXPECT_EQ(finder.progBar, 0);
}

TEST_F(LongJob, RefusalsShowTheirWarningAndLeaveTheWindowAsItWas) {
    struct Case {
        const char* what;
        bool alreadyRunning;
        bool scanning;
        int64_t rows;
        bool mainLoaded;
        QString prompt;
        QString title;
    };
    const std::vector<Case> cases = {
        {"second start", true, false, 5, true, RunningText(QStringLiteral("Music Cataloguer")), kRunningTitle},
        {"scan running", false, true, 5, true,
         QStringLiteral("There is a Scan currently in progress. Please wait for that to finish..."),
         QStringLiteral("Scan In Progress")},
        {"empty results", false, false, 0, true,
         QStringLiteral("There are insufficient Scan Results to carry out this task. Please Scan in some files first."),
         QStringLiteral("Insufficient Scan Results")},
        {"no Scanning Centre", false, false, 0, false,
         QStringLiteral("There are insufficient Scan Results to carry out this task. Please Scan in some files first."),
         QStringLiteral("Insufficient Scan Results")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ui.shown.clear();
        std::unique_ptr<FakeMain> main;
        if (c.mainLoaded) {
            main = std::make_unique<FakeMain>();
            main->rows = c.rows;
            main->mblnScanInProgress = c.scanning;
        }
        FakeWindow cataloguer(WindowNames::MusicCataloguer, QStringLiteral("Music Cataloguer"));
        cataloguer.mblnProcessRunning = c.alreadyRunning;
        cataloguer.mblnStopAll = true;

        EXPECT_FALSE(InitialiseNewProcess(&cataloguer, true, false));
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].prompt, c.prompt);
        EXPECT_EQ(ui.shown[0].title, c.title);
        EXPECT_EQ(ui.shown[0].style, kWarning);
        // Nothing changed: a running job goes on, an idle window stays idle.
        EXPECT_EQ(cataloguer.mblnProcessRunning, c.alreadyRunning);
        EXPECT_TRUE(cataloguer.mblnStopAll);
        EXPECT_TRUE(cataloguer.enableCalls.empty());
        EXPECT_FALSE(cataloguer.busy);
        if (main) {
            EXPECT_FALSE(main->mblnInhibitScan);
        }
    }
}

TEST_F(LongJob, AJobOnScanResultsLocksTheScanningCentreUntilItEnds) {
    FakeMain main;
    main.rows = 3;
    FakeWindow coordinator(WindowNames::Coordinator, QStringLiteral("File Name and Tag Coordinator"));

    ASSERT_TRUE(InitialiseNewProcess(&coordinator, true, false));
    EXPECT_TRUE(main.mblnInhibitScan);
    EXPECT_FALSE(main.scanButton);
    EXPECT_FALSE(main.list);

    ConcludeProcess(&coordinator);
    EXPECT_TRUE(main.Unlocked());
}

TEST_F(LongJob, TheScanLockStaysWhileAnotherJobOnScanResultsStillRuns) {
    FakeMain main;
    main.rows = 10;
    FakeWindow coordinator(WindowNames::Coordinator, QStringLiteral("File Name and Tag Coordinator"));
    FakeWindow cataloguer(WindowNames::MusicCataloguer, QStringLiteral("Music Cataloguer"));
    FakeWindow encoder(WindowNames::EncoderDecoder, QStringLiteral("Encoder Decoder"));

    ASSERT_TRUE(InitialiseNewProcess(&coordinator, true, false));
    ASSERT_TRUE(InitialiseNewProcess(&cataloguer, true, false));
    ASSERT_TRUE(InitialiseNewProcess(&encoder, false, false));

    // A job that never needed the results ends: the lock holders run on.
    ConcludeProcess(&encoder);
    EXPECT_TRUE(main.mblnInhibitScan);
    EXPECT_FALSE(main.scanButton);

    ConcludeProcess(&coordinator);
    EXPECT_TRUE(main.mblnInhibitScan);
    EXPECT_FALSE(main.scanButton);
    EXPECT_FALSE(main.list);

    ConcludeProcess(&cataloguer);
    EXPECT_FALSE(main.mblnInhibitScan);
    EXPECT_TRUE(main.scanButton);
    EXPECT_TRUE(main.list);
}

TEST_F(LongJob, CloseCheckOfTheMainWindowRefusesWhileAnyWindowRunsAJob) {
    FakeMain main;
    FakeWindow finder(WindowNames::DuplicateFinder, QStringLiteral("Duplicate Finder"));
    FakeWindow ripper(WindowNames::CDRipper, QStringLiteral("CD Ripper"));
    FakeWindow playlists(WindowNames::PlaylistManager, QStringLiteral("Playlist Manager"));

    EXPECT_TRUE(WindowMayClose(&main));
    EXPECT_TRUE(ui.shown.empty());

    finder.mblnProcessRunning = true;
    EXPECT_FALSE(WindowMayClose(&main));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].prompt, RunningText(QStringLiteral("Duplicate Finder")));
    EXPECT_EQ(ui.shown[0].title, kRunningTitle);
    EXPECT_EQ(ui.shown[0].style, kWarning);

    // Of several running windows the last loaded is named.
    playlists.mblnProcessRunning = true;
    EXPECT_FALSE(WindowMayClose(&main));
    EXPECT_EQ(ui.shown.back().prompt, RunningText(QStringLiteral("Playlist Manager")));

    // A rip keeps the program open too.
    finder.mblnProcessRunning = false;
    playlists.mblnProcessRunning = false;
    ripper.mblnProcessRunning = true;
    EXPECT_FALSE(WindowMayClose(&main));
    EXPECT_EQ(ui.shown.back().prompt, RunningText(QStringLiteral("CD Ripper")));
}

TEST_F(LongJob, CloseCheckOfAToolWindowLooksAtItsOwnJobOnly) {
    FakeMain main;
    main.mblnProcessRunning = true;
    FakeWindow finder(WindowNames::DuplicateFinder, QStringLiteral("Duplicate Finder"));

    EXPECT_TRUE(InitialiseNewProcess(&finder, false, true));
    EXPECT_TRUE(ui.shown.empty());

    finder.mblnProcessRunning = true;
    EXPECT_FALSE(InitialiseNewProcess(&finder, true, true));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].prompt, RunningText(QStringLiteral("Duplicate Finder")));
    // The check changes nothing.
    EXPECT_TRUE(finder.enableCalls.empty());
}

TEST_F(LongJob, ProgressIndicationWritesTheStatusAndShowsTheBoxOnlyWhenAsked) {
    FakeWindow encoder(WindowNames::EncoderDecoder, QStringLiteral("Encoder Decoder"));
    EXPECT_EQ(ProgressIndication(&encoder, QStringLiteral("Encoding 3 of 9"), false, QStringLiteral("ignored"),
                                 Mb::YesNo),
              0);
    EXPECT_EQ(encoder.status, "Encoding 3 of 9");
    EXPECT_TRUE(ui.shown.empty());

    ui.answers.push_back(Mb::No);
    EXPECT_EQ(ProgressIndication(&encoder, QStringLiteral("9 files encoded"), true, QStringLiteral("Open the folder?"),
                                 Mb::YesNo | Mb::Question),
              Mb::No);
    EXPECT_EQ(encoder.status, "9 files encoded");
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].prompt, "9 files encoded. Open the folder?");
    EXPECT_EQ(ui.shown[0].title, "Encoder Decoder");
    EXPECT_EQ(ui.shown[0].style, Mb::YesNo | Mb::Question);
}

TEST_F(LongJob, AWindowThatIsNoJobHostFailsWithItsTrail) {
    PlainWindow plain;
    struct Case {
        std::function<void()> call;
        QString trail;
    };
    const std::vector<Case> cases = {
        {[&] { InitialiseNewProcess(&plain, true, false); }, "|InitialiseNewProcess;DialogPlain;True;False"},
        {[&] { ConcludeProcess(&plain); }, "|ConcludeProcess;DialogPlain"},
        {[&] { ProgressIndication(&plain, "Done", false, "x", 64); }, "|ProgressIndication;DialogPlain;Done;False;x;64"},
    };
    for (const Case& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << "no error for " << c.trail.toStdString();
        } catch (const SvError& e) {
            EXPECT_EQ(e.number(), ErrNo::MemberNotFound);
            EXPECT_TRUE(e.description().endsWith(c.trail)) << e.description().toStdString();
        }
    }
}

// ---- the job runner ---------------------------------------------------------------

TEST_F(LongJob, RunLongJobRunsTheBodyOnTheBusyWindowWithTheWindowsOwnStopFlag) {
    FakeMain main;
    main.rows = 4;
    FakeWindow cataloguer(WindowNames::MusicCataloguer, QStringLiteral("Music Cataloguer"));
    cataloguer.mblnStopAll = true;  // a Stop left over from before the job
    int runs = 0;
    const bool ran = RunLongJob(&cataloguer, {.needsScanResults = true}, [&](JobHost& job) {
        ++runs;
        EXPECT_TRUE(cataloguer.mblnProcessRunning);
        EXPECT_EQ(cataloguer.enableCalls, std::vector<bool>{false});
        EXPECT_TRUE(main.mblnInhibitScan);
        EXPECT_FALSE(job.mblnStopAll);
        // The Stop button sets the window's flag; the job sees it at once.
        cataloguer.mblnStopAll = true;
        EXPECT_TRUE(job.mblnStopAll);
        job.ShowProgress(3, 8);
        EXPECT_EQ(cataloguer.progBarMax, 8);
        EXPECT_EQ(cataloguer.progBar, 3);
        job.ShowStatus(QStringLiteral("Reading 3 of 8"));
        EXPECT_EQ(cataloguer.status, "Reading 3 of 8");
        EXPECT_EQ(job.Caption(), "Music Cataloguer");
    });
    EXPECT_TRUE(ran);
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(cataloguer.mblnProcessRunning);
    EXPECT_FALSE(cataloguer.mblnStopAll);
    EXPECT_EQ(cataloguer.enableCalls, (std::vector<bool>{false, true}));
    EXPECT_EQ(cataloguer.progBar, 0);
    EXPECT_TRUE(main.Unlocked());
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(LongJob, RunLongJobEndsTheJobOnEveryPath) {
    struct Case {
        const char* what;
        bool running;          // a job of the window runs already
        int64_t rows;          // rows in the results list
        bool failStart;        // the window's EnableControls fails when the job starts
        bool bodyThrows;
        bool expectRan;
        bool expectBody;
        QString expectTitle;   // of the one box shown
    };
    const QString critical = QStringLiteral("Critical Error");
    const std::vector<Case> cases = {
        {"refused: already running", true, 5, false, false, false, false, kRunningTitle},
        {"refused: no scan results", false, 0, false, false, false, false, QStringLiteral("Insufficient Scan Results")},
        {"the body fails", false, 5, false, true, true, true, critical},
        {"the start fails half-way", false, 5, true, false, false, false, critical},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ui.shown.clear();
        FakeMain main;
        main.rows = c.rows;
        FakeWindow coordinator(WindowNames::Coordinator, QStringLiteral("File Name and Tag Coordinator"));
        coordinator.mblnProcessRunning = c.running;
        coordinator.failDisable = c.failStart;
        bool bodyRan = false;
        const bool ran = RunLongJob(&coordinator, {.needsScanResults = true}, [&](JobHost&) {
            bodyRan = true;
            if (c.bodyThrows) RaiseError(ErrNo::FileNotFound);
        });
        EXPECT_EQ(ran, c.expectRan);
        EXPECT_EQ(bodyRan, c.expectBody);
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].title, c.expectTitle);
        // A job that was running goes on; otherwise the window is idle and
        // scanning unlocked.
        EXPECT_EQ(coordinator.mblnProcessRunning, c.running);
        EXPECT_FALSE(coordinator.busy);
        EXPECT_TRUE(main.Unlocked());
    }
}

TEST_F(LongJob, AFailingEndStepStillLeavesTheWindowIdleAndScanningUnlocked) {
    FakeMain main;
    main.rows = 2;
    FakeWindow finder(WindowNames::DuplicateFinder, QStringLiteral("Duplicate Finder"));
    ASSERT_TRUE(InitialiseNewProcess(&finder, true, false));
    finder.mblnStopAll = true;
    finder.failEnable = true;
    try {
        ConcludeProcess(&finder);
        ADD_FAILURE() << "the failing step was not passed on";
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::InvalidCall);
        EXPECT_TRUE(e.description().endsWith("|ConcludeProcess;FormDuplicateFinder")) << e.description().toStdString();
    }
    EXPECT_FALSE(finder.mblnProcessRunning);
    EXPECT_FALSE(finder.mblnStopAll);
    EXPECT_FALSE(finder.busy);
    EXPECT_EQ(finder.progBar, 0);
    EXPECT_TRUE(main.Unlocked());
}

TEST_F(LongJob, EndReportsFollowThePreferenceOnlyForACompletedJob) {
    FakeWindow encoder(WindowNames::EncoderDecoder, QStringLiteral("Encoder Decoder"));
    struct Case {
        bool preference;
        bool completed;
        bool expectBox;
    };
    const Case cases[] = {{true, true, true}, {false, true, false}, {true, false, true}, {false, false, true}};
    ScopedOptions options;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "preference " << c.preference << ", completed " << c.completed);
        ui.shown.clear();
        Options().Preferences.blnDisplayMessageBox = c.preference;
        const QString text = c.completed ? QStringLiteral("Encoding complete") : QStringLiteral("Encoding interrupted");
        RunLongJob(&encoder, {}, [&](JobHost& job) {
            if (c.completed) job.ReportComplete(text);
            else job.ReportInterrupted(text);
        });
        EXPECT_EQ(encoder.status, text);
        ASSERT_EQ(ui.shown.size(), c.expectBox ? 1u : 0u);
        if (c.expectBox) {
            EXPECT_EQ(ui.shown[0].prompt, text + QStringLiteral(". "));
            EXPECT_EQ(ui.shown[0].title, "Encoder Decoder");
            EXPECT_EQ(ui.shown[0].style, kWarning);
        }
    }
}

TEST_F(LongJob, AHostWithoutAWindowKeepsAStopFlagOfItsOwn) {
    JobHost first, second;
    first.mblnStopAll = true;
    EXPECT_FALSE(second.mblnStopAll);
    bool windowFlag = false;
    JobHost bound(windowFlag);
    windowFlag = true;
    EXPECT_TRUE(bound.mblnStopAll);
    bound.mblnStopAll = false;
    EXPECT_FALSE(windowFlag);
}
