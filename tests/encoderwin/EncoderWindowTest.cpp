// The Encoder Decoder window offscreen: its list and where rows come from,
// batches with the real LAME and with a stand-in, Stop, the end texts, keys.

#include "encoder/EncoderFileListModel.h"
#include "encoder/ui/EncoderDecoder.h"
#include "mainwin/MainWinSupport.h"
#include "options/ControlSettings.h"
#include "options/WindowSettings.h"
#include "scanning/engine/MPEGHeader.h"
#include "shell/menus/ui/KeyRouter.h"
#include "shell/menus/ui/Menus.h"
#include "shell/start/StartProcedure.h"
#include "scanning/ui/FileInfoDialog.h"
#include "support/Audio.h"
#include "support/RecordingDesktop.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include <csignal>

namespace {

EncoderDecoderOptions DefaultEncoderOptions() {
    EncoderDecoderOptions o;
    o.lngBitrate = 12;
    o.lngMaximumVBRBitrate = 12;
    o.intQuality = 4;
    o.intTargetBitrateForABR = 128;
    o.lngOutputSamplingFrequency = 1;
    o.blnSameAsInputDirectory = true;
    o.blnEnableVBR = true;
    o.dblHighPassFilteringFreqkHz = 0.001;
    o.dblLowPassFilteringFreqkHz = 50000;
    return o;
}

QStringList Names(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

class EncoderWindowTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Options().EncoderDecoder = DefaultEncoderOptions();
        Options().Preferences.blnDisplayMessageBox = false;
        OpenWindow();
        music = work.path() + QStringLiteral("/Music");
        QDir().mkpath(music);
        tools = work.path() + QStringLiteral("/Tools");
        QDir().mkpath(tools);
        // What the stand-in LAMEs write: a whole MP3.
        newMp3 = MakeMp3({});
        WriteFile(tools, "new.mp3", newMp3);
        Open();
    }
    void TearDown() override {
        Close();
        MainWindowTest::TearDown();
    }
    void Open() {
        Close();
        encoder = new FormEncoderDecoder;
        encoder->Converter().lameProgram = LameProgram();
    }
    void Close() {
        if (encoder) {
            encoder->mblnProcessRunning = false;
            encoder->mnuFileExit_Click();
        }
        Settle();
    }
    QString Wav(const QString& name, int ms = 300) {
        return WriteFile(music, name, MakeWav(44100, 2, ms));
    }
    // A stand-in LAME running `body` with $out its last argument.
    QString FakeLame(const QString& body) {
        const QString path = tools + QStringLiteral("/lame");
        WriteFile(tools, QStringLiteral("lame"),
                  ("#!/bin/sh\nfor a in \"$@\"; do out=$a; done\n" + body + "\n").toUtf8());
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }
    QString Status() const { return encoder->LabelStatusBar->text(); }

    QString music, tools;
    QByteArray newMp3;
    QPointer<FormEncoderDecoder> encoder;
};

TEST_F(EncoderWindowTest, EncodeAllConvertsTheCheckedRowsNotYetMP3) {
    if (LameProgram().isEmpty()) GTEST_SKIP() << "lame is not installed";
    encoder->AddFilesToEncoderList({Wav("a.wav"), Wav("b.wav"), Wav("c.wav"),
                                    WriteFile(music, "d.mp3", MakeMp3({}))});
    encoder->Files()->setChecked(1, false);
    ui.answers = {Mb::OK};
    encoder->BtnEncodeAll_Click();
    EXPECT_EQ(Names(music), (QStringList{"a.mp3", "a.wav", "b.wav", "c.mp3", "c.wav", "d.mp3"})) << Shown();
    for (const char* out : {"a.mp3", "c.mp3"}) {
        bool found = false;
        const MPEGInfo info = ReadMPEGInfo(music + "/" + out, found);
        EXPECT_TRUE(found && info.Layer == 3 && info.Version == 1) << out;
    }
    ASSERT_GE(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, "Encode Batch");
    EXPECT_EQ(ui.shown[0].style, Mb::OKCancel | Mb::Information);
    EXPECT_EQ(Status(), "Encoding complete");
    EXPECT_EQ(ui.shown.size(), 1u) << Shown();  // no box at the end without DisplayMessageBox
    EXPECT_EQ(encoder->Files()->rows(), 4);    // the list is not changed
    EXPECT_FALSE(encoder->mblnProcessRunning);
    EXPECT_TRUE(encoder->ListViewFiles->isVisible());
    EXPECT_EQ(encoder->ProgBar->value(), 0);
}

TEST_F(EncoderWindowTest, DecodeAllWritesWavFilesBesideTheirMP3s) {
    if (LameProgram().isEmpty()) GTEST_SKIP() << "lame is not installed";
    const QString wav = Wav("tone.wav");
    ASSERT_TRUE(RunLame({"-b", "128", wav, music + "/tone.mp3"}));
    QFile::remove(wav);
    encoder->AddFilesToEncoderList({music + "/tone.mp3"});
    Options().EncoderDecoder.blnEnableVBR = false;
    ui.answers = {Mb::OK};
    encoder->BtnDecodeAll_Click();
    EXPECT_EQ(Status(), "Decoding complete") << Shown();
    EXPECT_EQ(ReadBytes(music + "/tone.wav").left(4), QByteArray("RIFF"));
}

TEST_F(EncoderWindowTest, NothingToConvertAndCancelTouchNoFile) {
    encoder->AddFilesToEncoderList({Wav("a.wav")});
    ui.answers = {Mb::OK};
    encoder->BtnDecodeAll_Click();
    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_EQ(ui.shown[1].prompt, "All files selected are already WAV format, therefore cannot be decoded.. ");
    ui.shown.clear();
    ui.answers = {Mb::Cancel};
    encoder->BtnEncodeAll_Click();
    ASSERT_EQ(ui.shown.size(), 1u);
    // What Stop does here, not a console window that LAME does not have.
    EXPECT_EQ(ui.shown[0].prompt,
              "This process may take a long time. You may press Stop at any time, but the file currently being "
              "processed will be finished first before the batch is stopped. However, you may end LAME at once by "
              "pressing Stop a second time; the file being processed is then left unconverted.");
    EXPECT_EQ(Names(music), QStringList{"a.wav"});
    EXPECT_FALSE(encoder->mblnProcessRunning);
}

TEST_F(EncoderWindowTest, TheEndTextCountsFailuresAndIsNeverComplete) {
    for (const char* n : {"a.wav", "bad.wav", "c.wav"}) Wav(n, 50);
    encoder->AddFilesToEncoderList({music + "/a.wav", music + "/bad.wav", music + "/c.wav"});
    encoder->Converter().lameProgram =
        FakeLame("case \"$out\" in *bad*) echo 'bad input' >&2; exit 2;; esac; cat '" + tools + "/new.mp3' > \"$out\"");
    ui.answers = {Mb::OK};
    encoder->BtnEncodeAll_Click();
    EXPECT_EQ(Status(), "Encoding ended; files that failed: 1") << Shown();
    EXPECT_TRUE(WasShown("Conversion Failed"));
    EXPECT_TRUE(QFile::exists(music + "/a.mp3"));
    EXPECT_TRUE(QFile::exists(music + "/c.mp3"));  // the batch went on
    EXPECT_FALSE(QFile::exists(music + "/bad.mp3"));

    // LAME missing: reported as such, and the batch ends without "complete".
    ui.shown.clear();
    encoder->Converter().lameProgram = tools + "/none";
    ui.answers = {Mb::OK, Mb::YesToAll};
    encoder->BtnEncodeAll_Click();
    EXPECT_TRUE(WasShown("Encoder Failed")) << Shown();
    EXPECT_EQ(Status(), "Encoding ended; files that failed: 1");
}

TEST_F(EncoderWindowTest, AnOutputCutShortAfterACleanExitFailsTheBatchAndTheOldOutputStays) {
    // LAME ends with 0 but its WAV stops short of what its header says (a
    // disk that filled up).
    const QString mp3 = WriteFile(music, "tone.mp3", MakeMp3({}));
    WriteFile(tools, "short.wav", MakeWav(44100, 2, 200).chopped(4000));
    encoder->Converter().lameProgram = FakeLame("cat '" + tools + "/short.wav' > \"$out\"; exit 0");
    const QByteArray old = MakeWav(8000, 1, 30);
    WriteFile(music, "tone.wav", old);
    encoder->AddFilesToEncoderList({mp3});
    Options().EncoderDecoder.blnDeleteSourceFile = true;
    ui.answers = {Mb::OK, Mb::YesToAll, Mb::OK};
    encoder->BtnDecodeAll_Click();
    EXPECT_EQ(Status(), "Decoding ended; files that failed: 1") << Shown();
    EXPECT_TRUE(WasShown("Conversion Failed")) << Shown();
    EXPECT_EQ(ReadBytes(music + "/tone.wav"), old);
    EXPECT_EQ(Names(music), (QStringList{"tone.mp3", "tone.wav"}));  // the source kept, no temporary file

    // The same through the Actions menu.
    encoder->ListViewFiles->setCurrentIndex(encoder->Files()->index(0, 0));
    ui.answers = {Mb::YesToAll, Mb::OK};
    encoder->mnuActionsDecode_Click();
    EXPECT_EQ(Status(), "Decoding ended; files that failed: 1") << Shown();
    EXPECT_EQ(ReadBytes(music + "/tone.wav"), old);
}

TEST_F(EncoderWindowTest, StopFinishesTheFileAndASecondStopEndsLameLeavingNoPartialFile) {
    for (const char* n : {"1.wav", "2.wav", "3.wav"}) Wav(n, 20);
    encoder->AddFilesToEncoderList({music + "/1.wav", music + "/2.wav", music + "/3.wav"});
    encoder->Converter().lameProgram = FakeLame(
        "head -c 100 '" + tools + "/new.mp3' > \"$out\"; sleep 0.4; tail -c +101 '" + tools + "/new.mp3' >> \"$out\"");
    // One Stop while the second file converts: it is finished, the third not.
    int yields = 0;
    encoder->Converter().yield = [&] {
        QCoreApplication::processEvents();
        if (QFile::exists(music + "/1.mp3") && ++yields == 3) encoder->BtnStop_Click();
    };
    ui.answers = {Mb::OK};
    encoder->BtnEncodeAll_Click();
    EXPECT_EQ(Status(), "Encoding interrupted by user") << Shown();
    EXPECT_EQ(Names(music), (QStringList{"1.mp3", "1.wav", "2.mp3", "2.wav", "3.wav"}));
    EXPECT_EQ(ReadBytes(music + "/2.mp3"), newMp3);
    EXPECT_EQ(ui.shown.size(), 1u) << Shown();  // no box for a stop

    // Two Stops: LAME ends at once and its partial output goes.
    for (const char* n : {"1.mp3", "2.mp3"}) QFile::remove(music + "/" + n);
    yields = 0;
    encoder->Converter().yield = [&] {
        QCoreApplication::processEvents();
        if (++yields == 3) {
            encoder->BtnStop_Click();
            encoder->BtnStop_Click();
        }
    };
    ui.answers = {Mb::OK};
    encoder->BtnEncodeAll_Click();
    EXPECT_EQ(Status(), "Encoding interrupted by user");
    EXPECT_EQ(Names(music), (QStringList{"1.wav", "2.wav", "3.wav"}));
}

TEST_F(EncoderWindowTest, ASecondStopDuringOneFilesEncodeKillsLameRemovesItsOutputAndKeepsTheSource) {
    const QString wav = Wav("one.wav", 20);
    const QByteArray source = ReadBytes(wav);
    encoder->AddFilesToEncoderList({wav});
    // LAME leaves its process id behind and would run on for a long while.
    encoder->Converter().lameProgram =
        FakeLame("echo $$ > '" + tools + "/pid'; printf 'MP' > \"$out\"; exec sleep 30");
    int yields = 0;
    encoder->Converter().yield = [&] {
        QCoreApplication::processEvents();
        if (QFile::exists(tools + "/pid") && ++yields == 3) {
            encoder->BtnStop_Click();
            encoder->BtnStop_Click();
        }
    };
    encoder->ListViewFiles->setCurrentIndex(encoder->Files()->index(0, 0));
    QElapsedTimer clock;
    clock.start();
    encoder->mnuActionsEncode_Click();
    // Not a speed check: a LAME left to run would hold the action for 30 s.
    EXPECT_LT(clock.elapsed(), 20000);
    EXPECT_EQ(Status(), "Encoding interrupted by user") << Shown();
    EXPECT_EQ(Names(music), QStringList{"one.wav"});  // no partial or temporary output
    EXPECT_EQ(ReadBytes(wav), source);
    const pid_t pid = ReadBytes(tools + "/pid").trimmed().toInt();
    ASSERT_GT(pid, 0);
    EXPECT_NE(::kill(pid, 0), 0);  // LAME is gone, not left running
    EXPECT_FALSE(encoder->mblnProcessRunning);
    EXPECT_TRUE(encoder->mbuttonEncodeAll.Enabled());
}

TEST_F(EncoderWindowTest, PlayOpensTheSelectedFileThroughTheDesktop) {
    RecordingDesktop desktop;
    encoder->AddFilesToEncoderList({Wav("a.wav"), Wav("b c.wav")});
    encoder->mnuActionsPlay_Click();  // no row selected: nothing opens
    EXPECT_TRUE(desktop.opened.isEmpty());
    encoder->ListViewFiles->setCurrentIndex(encoder->Files()->index(1, 0));
    encoder->mnuActionsPlay_Click();
    EXPECT_EQ(desktop.opened, QStringList{music + "/b c.wav"});
    // A file gone since: the desktop's failure is passed over quietly.
    QFile::remove(music + "/b c.wav");
    encoder->mnuActionsPlay_Click();
    EXPECT_EQ(desktop.opened.size(), 1);
    EXPECT_TRUE(ui.shown.empty()) << Shown();
}

TEST_F(EncoderWindowTest, FileInformationShowsTheSelectedFilesDetailsOrSaysItIsMissing) {
    Mp3Recipe tagged;
    tagged.v2 = {{"TIT2", QStringLiteral("Second Title")}, {"TPE1", QStringLiteral("Second Band")}};
    encoder->AddFilesToEncoderList({WriteFile(music, "first.mp3", MakeMp3({})),
                                    WriteFile(music, "second.mp3", MakeMp3(tagged))});
    QString shownFile, shownTitle, shownArtist, shownMpeg;
    SetFileInfoDialogDriver([&](FormFileInfo& w) {
        shownFile = w.TextFileName->text();
        shownTitle = w.TextID3v2Title->text();
        shownArtist = w.TextID3v2Artist->text();
        shownMpeg = w.TextMPEGInfo->toPlainText();
        w.BtnCancel_Click();
    });
    encoder->ListViewFiles->setCurrentIndex(encoder->Files()->index(1, 0));
    encoder->mnuActionsFileInfo_Click();
    SetFileInfoDialogDriver({});
    EXPECT_EQ(shownFile, music + "/second.mp3");
    EXPECT_EQ(shownTitle, "Second Title");
    EXPECT_EQ(shownArtist, "Second Band");
    EXPECT_FALSE(shownMpeg.isEmpty());
    EXPECT_TRUE(ui.shown.empty()) << Shown();

    // The file has gone: the warning, and the row stays.
    QFile::remove(music + "/second.mp3");
    ui.answers = {Mb::OK};
    encoder->mnuActionsFileInfo_Click();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, "File Missing");
    EXPECT_EQ(ui.shown[0].prompt, "The file '" + music + "/second.mp3' no longer exists.");
    EXPECT_EQ(encoder->Files()->rows(), 2);
}

TEST_F(EncoderWindowTest, TheListsSortIsStoredWhenTheWindowClosesAndShownWhenItOpens) {
    encoder->AddFilesToEncoderList({Wav("a.wav"), Wav("b.wav")});
    // Two clicks on the Type column's header: sorted by it, descending.
    emit encoder->ListViewFiles->ColumnClicked(EncoderColumn::Type);
    emit encoder->ListViewFiles->ColumnClicked(EncoderColumn::Type);
    Close();
    ListSortSettings stored;
    stored.Read(EncoderDecoderSettings::ListName);
    EXPECT_EQ(stored, (ListSortSettings{true, EncoderColumn::Type, 1}));
    Open();
    const QHeaderView* header = encoder->ListViewFiles->header();
    EXPECT_TRUE(header->isSortIndicatorShown());
    EXPECT_EQ(header->sortIndicatorSection(), EncoderColumn::Type);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_TRUE(ui.shown.empty()) << Shown();
}

TEST_F(EncoderWindowTest, RowsComeFromDropsTheRipperAndTheScanResultsButNeverFolders) {
    Wav("a.wav");
    QDir().mkpath(music + "/Sub");
    encoder->ListViewFiles_OLEDragDrop({music + "/a.wav", music + "/Sub", music + "/a.wav"});
    ASSERT_EQ(encoder->Files()->rows(), 2);  // the same file twice, no folder
    EXPECT_EQ(encoder->Files()->row(0).fileName, "a.wav");
    EXPECT_EQ(encoder->Files()->row(0).folder, music);
    EXPECT_FALSE(encoder->Files()->row(0).type.isEmpty());
    EXPECT_TRUE(encoder->Files()->row(1).checked);
    EXPECT_TRUE(encoder->mbuttonEncodeAll.Enabled());

    IEncoderFileList* list = dynamic_cast<IEncoderFileList*>(WindowRegistry::Find(WindowNames::EncoderDecoder));
    ASSERT_TRUE(list);
    list->AddFilesToEncoderList({music + "/Sub", music + "/Track 01.wav"});
    EXPECT_EQ(encoder->Files()->rows(), 3);

    // Read Scan Results replaces the rows by the scan's checked rows.
    WriteFile(music, "s1.mp3", MakeMp3({}));
    WriteFile(music, "s2.mp3", MakeMp3({}));
    Scan(music);
    window->ScanResults()->setChecked(RowOf(*window->ScanResults(), "s2.mp3"), false);
    encoder->BtnRead_Click();
    ASSERT_EQ(encoder->Files()->rows(), 1) << Shown();
    EXPECT_EQ(encoder->Files()->row(0).fileName, "s1.mp3");
    EXPECT_EQ(Status(), "Scan Results Read complete");

    // Deleting the last row through the Edit menu turns the batch buttons off.
    encoder->ListViewFiles->setCurrentIndex(encoder->Files()->index(0, 0));
    encoder->ListViewFiles->selectionModel()->select(encoder->Files()->index(0, 0),
                                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    encoder->mnuEdit_Click(3);
    EXPECT_EQ(encoder->Files()->rows(), 0);
    EXPECT_FALSE(encoder->mbuttonEncodeAll.Enabled());
    EXPECT_FALSE(encoder->mbuttonDecodeAll.Enabled());
}

TEST_F(EncoderWindowTest, TheActionsMenuFollowsTheSelectedRowsType) {
    encoder->AddFilesToEncoderList({Wav("a.wav"), WriteFile(music, "b.MP3", MakeMp3({})), Wav("c.mp2")});
    const struct {
        int row;
        bool encode, decode;
    } cases[] = {{-1, false, false}, {0, true, false}, {1, false, true}, {2, true, true}};
    for (const auto& c : cases) {
        encoder->ListViewFiles->setCurrentIndex(c.row < 0 ? QModelIndex() : encoder->Files()->index(c.row, 0));
        encoder->ActionsMenuRootSelect();
        EXPECT_EQ(encoder->mnuActionsEncode->isEnabled(), c.encode) << c.row;
        EXPECT_EQ(encoder->mnuActionsDecode->isEnabled(), c.decode) << c.row;
        EXPECT_EQ(encoder->mnuActionsFileInfo->isEnabled(), c.row >= 0);
        EXPECT_TRUE(encoder->mnuActionsEncodeAll->isEnabled());
        EXPECT_TRUE(encoder->mnuActionsRipCD->isEnabled());
    }
    QStringList texts;
    for (QAction* a : encoder->mnuActions->actions()) texts << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(texts, (QStringList{"&File Information...", "&Play", "-", "&Encode to MP3", "&Decode to WAV", "-",
                                  "Encode All to MP3", "Decode All to WAV", "-", "Rip &CD", "-", "Chec&k All",
                                  "&Uncheck All"}));
    EXPECT_EQ(encoder->windowTitle(), "Encoder Decoder");
    EXPECT_EQ(encoder->mbuttonRead.Caption(), "&Read Scan Results");
    EXPECT_EQ(encoder->mbuttonRipCD.Caption(), "Rip &CD");
}

// ---- keys ---------------------------------------------------------------------------

class EncoderKeysTest : public EncoderWindowTest {
protected:
    void SetUp() override {
        EncoderWindowTest::SetUp();
        InstallKeyRouter();
        gblnStartupComplete = true;
        encoder->activateWindow();
        QApplication::setActiveWindow(encoder);
    }
    void TearDown() override {
        gblnStartupComplete = false;
        EncoderWindowTest::TearDown();
    }
    static void AltKey(QWidget* target, Qt::Key key) {
        target->setFocus();
        QKeyEvent alt(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
        QApplication::sendEvent(target, &alt);
        QKeyEvent press(QEvent::KeyPress, key, Qt::AltModifier);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::AltModifier);
        QApplication::sendEvent(target, &release);
        QKeyEvent altUp(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
        QApplication::sendEvent(target, &altUp);
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 300) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
};

TEST_F(EncoderKeysTest, AltEOpensTheEditMenuAndNeverAlsoStartsABatch) {
    encoder->AddFilesToEncoderList({Wav("a.wav")});
    AltKey(encoder->ListViewFiles, Qt::Key_E);
    EXPECT_TRUE(encoder->mnuEditRoot->isVisible());
    encoder->mnuEditRoot->hide();
    EXPECT_TRUE(ui.shown.empty()) << Shown();  // no batch question
    // Alt+D has no menu: it presses Decode All (here cancelled at its question).
    ui.answers = {Mb::Cancel};
    AltKey(encoder->ListViewFiles, Qt::Key_D);
    ASSERT_EQ(ui.shown.size(), 1u) << Shown();
    EXPECT_EQ(ui.shown[0].title, "Decode Batch");
}

TEST_F(EncoderKeysTest, TheToolsMenuOffersEveryOtherToolButNotThisWindow) {
    AltKey(encoder->ListViewFiles, Qt::Key_T);
    ASSERT_TRUE(encoder->mnuToolsRoot->isVisible());
    for (const int item : {ToolsItem::ScanningCentre, ToolsItem::Coordinator, ToolsItem::Cataloguer,
                           ToolsItem::DuplicateFinder, ToolsItem::PlaylistManager})
        EXPECT_TRUE(encoder->mnuTools[size_t(item)]->isEnabled()) << item;
    EXPECT_FALSE(encoder->mnuTools[ToolsItem::EncoderDecoder]->isEnabled());
    EXPECT_EQ(encoder->mnuTools[ToolsItem::EncoderDecoder]->text(), "&Encoder Decoder");
    encoder->mnuToolsRoot->hide();
}

TEST_F(EncoderKeysTest, AltKeysOfDisabledButtonsDoNothing) {
    // An empty list: Decode All is off, so Alt+D asks nothing.
    AltKey(encoder->ListViewFiles, Qt::Key_D);
    EXPECT_TRUE(ui.shown.empty()) << Shown();
    EXPECT_FALSE(encoder->mbuttonDecodeAll.Enabled());
}

}  // namespace
