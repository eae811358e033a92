// Apply from the coordinator window: the confirmation dialog (its rows,
// unticking, OK and Cancel), the end reports, and the Mass Tagging Override
// Tool that Apply, the dialog and the window's notice read.

#include "coordwin/CoordWinSupport.h"
#include "scanning/engine/TagRecords.h"

#include "coordinator/ApplyChanges.h"
#include "coordinator/MassTaggingOverrides.h"
#include "coordinator/ui/ApplyChangesDialog.h"
#include "coordinator/ui/MassTaggingOverrideTool.h"
#include "coordinator/ui/SimResultsView.h"
#include "foundation/FileUtils.h"
#include "foundation/NativePath.h"
#include "foundation/ResourceStrings.h"
#include "foundation/SettingsStore.h"
#include "foundation/WindowProtocol.h"
#include "shell/ui/ControlUtils.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kArtistRow = int(ConfirmRow::FirstID3v2) + int(V2Field::Artist);

class ApplyWindowTest : public CoordinatorWindowTest {
protected:
    void SetUp() override {
        CoordinatorWindowTest::SetUp();
        RegisterMassTaggingOverrideToolWindow();
        MassTagging().reset();
    }
    void TearDown() override {
        SetApplyChangesAnswerForTesting({});
        CoordinatorWindowTest::TearDown();
        MassTagging().reset();
    }
    // Scans, simulates and returns the coordinator, all switches off.
    FormFileNameTagCoordinator& Simulated(const QStringList& names) {
        ScanFiles(names);
        OpenCoordinator();
        coordinator->BtnSimulate_Click();
        coordinator->mcheckChangeFileName.SetValue(0);
        coordinator->mcheckChangeID3v1Tag.SetValue(0);
        coordinator->mcheckChangeID3v2Tag.SetValue(0);
        ui.shown.clear();
        return *coordinator;
    }
    DialogMassTaggingOverrideTool* Tool() const {
        return WindowRegistry::FindAs<DialogMassTaggingOverrideTool>(WindowNames::MassTagging);
    }
    // Answers the dialog: records its rows, then runs `act`.
    void Answer(std::function<void(DialogApplyChanges&)> act) {
        SetApplyChangesAnswerForTesting([this, act](DialogApplyChanges& d) {
            ++dialogsShown;
            shownRows.clear();
            for (const ConfirmationRow& r : d.Rows()) shownRows.push_back(r.index);
            act(d);
        });
    }
    static void Untick(DialogApplyChanges& d, int index) {
        d.CheckChange[size_t(index)]->setChecked(false);
        d.CheckChange_Click(index);
    }

    int dialogsShown = 0;
    std::vector<int> shownRows;
};

TEST_F(ApplyWindowTest, OkAppliesTheTickedRowsAndReportsTheEnd) {
    Simulated({"01 - Abba - Waterloo.mp3", "02 - Blur - Song 2.mp3"});
    coordinator->mcheckChangeFileName.SetValue(1);
    coordinator->mcheckChangeID3v2Tag.SetValue(1);
    Answer([](DialogApplyChanges& d) { d.OKButton->click(); });
    coordinator->BtnApply_Click();
    EXPECT_EQ(dialogsShown, 1);
    EXPECT_EQ(shownRows, (std::vector<int>{ConfirmRow::FileName, ConfirmRow::ID3v2Table}));
    EXPECT_TRUE(StatusIs(GetResourceString(TextId::Coordinator::ApplyComplete))) << coordinator->LabelStatusBar->text();
    EXPECT_EQ(coordinator->SimResults()->text(0, SimColumn::OldFileName), "01 - Abba - Waterloo.mp3");
    // The file went to the row's new name; the table is as it was.
    const QString newName = coordinator->SimResults()->text(0, SimColumn::NewFileName);
    EXPECT_TRUE(QFile::exists(music + "/" + newName)) << newName;
    EXPECT_FALSE(coordinator->mblnProcessRunning);
    EXPECT_TRUE(coordinator->ListViewSimResults->isVisible());
}

TEST_F(ApplyWindowTest, CancelTouchesNoFileAndShowsNoEndMessageButUntickedChangesStayOff) {
    Simulated({"01 - Abba - Waterloo.mp3"});
    const QByteArray before = ReadBytes(music + "/01 - Abba - Waterloo.mp3");
    coordinator->mcheckChangeID3v1Tag.SetValue(1);
    coordinator->mcheckChangeID3v2Tag.SetValue(1);
    Answer([](DialogApplyChanges& d) {
        Untick(d, ConfirmRow::ID3v1Table);
        EXPECT_TRUE(d.OKButton->isEnabled());
        Untick(d, ConfirmRow::ID3v2Table);
        EXPECT_FALSE(d.OKButton->isEnabled());  // nothing left ticked
        d.CheckChange[ConfirmRow::ID3v2Table]->setChecked(true);
        d.CheckChange_Click(ConfirmRow::ID3v2Table);
        EXPECT_TRUE(d.OKButton->isEnabled());
        d.CancelButton->click();
    });
    coordinator->BtnApply_Click();
    EXPECT_EQ(ReadBytes(music + "/01 - Abba - Waterloo.mp3"), before);
    EXPECT_TRUE(ui.shown.empty()) << Shown();
    EXPECT_EQ(coordinator->mcheckChangeID3v1Tag.Value(), 0);  // switched off where it lives
    EXPECT_EQ(coordinator->mcheckChangeID3v2Tag.Value(), 1);
    EXPECT_EQ(coordinator->ProgBar->value(), 0);
}

TEST_F(ApplyWindowTest, NothingPendingSaysSoWithoutShowingTheDialog) {
    Simulated({"01 - Abba - Waterloo.mp3"});
    Answer([](DialogApplyChanges& d) { d.OKButton->click(); });
    coordinator->BtnApply_Click();
    EXPECT_EQ(dialogsShown, 0);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, GetResourceString(TextId::ApplyChanges::NoChangesSpecified));
}

TEST_F(ApplyWindowTest, ADeleteOnlyApplyIsConfirmedAndDeletesTheMarkedFile) {
    Simulated({"01 - Abba - Waterloo.mp3", "02 - Blur - Song 2.mp3"});
    Options().Preferences.blnUseRecycleBin = false;
    const int row = SimRowIndex("02 - Blur - Song 2.mp3");
    coordinator->SimResults()->setText(row, SimColumn::Action, QStringLiteral("Delete"));
    coordinator->SimResults()->setChecked(SimRowIndex("01 - Abba - Waterloo.mp3"), false);
    Answer([](DialogApplyChanges& d) { d.OKButton->click(); });
    coordinator->BtnApply_Click();
    EXPECT_EQ(shownRows, (std::vector<int>{ConfirmRow::DeleteFiles}));
    EXPECT_FALSE(QFile::exists(music + "/02 - Blur - Song 2.mp3"));
    EXPECT_TRUE(QFile::exists(music + "/01 - Abba - Waterloo.mp3"));
}

TEST_F(ApplyWindowTest, AFailureIsReportedInTheEndMessageAndItsBoxNeverSaysComplete) {
    Simulated({"01 - Abba - Waterloo.mp3"});
    QFile::remove(music + "/01 - Abba - Waterloo.mp3");
    coordinator->mcheckChangeID3v2Tag.SetValue(1);
    Answer([](DialogApplyChanges& d) { d.OKButton->click(); });
    coordinator->BtnApply_Click();
    const QString end = coordinator->LabelStatusBar->text();
    EXPECT_NE(end, GetResourceString(TextId::Coordinator::ApplyComplete));
    EXPECT_TRUE(end.contains("1 of 1")) << end;
    EXPECT_TRUE(WasShown(coordinator->windowTitle())) << Shown();
}

namespace {
int DiskFull(const QByteArray&) { return ENOSPC; }

// Writes a file under a name given as the file system's bytes.
void WriteNative(const QString& folder, const QByteArray& name, const QByteArray& bytes) {
    const QByteArray path = NativePath(folder) + '/' + name;
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0) << path.toStdString();
    EXPECT_EQ(::write(fd, bytes.constData(), size_t(bytes.size())), bytes.size());
    ::close(fd);
}

bool ExistsNative(const QString& folder, const QByteArray& name) {
    struct stat st {};
    return ::lstat((NativePath(folder) + '/' + name).constData(), &st) == 0;
}
}  // namespace

TEST_F(ApplyWindowTest, ASimFileSavedAndOpenedAgainStillNamesEachRowsOwnFile) {
    // Names a line cannot carry as they are, each beside the name a lossy
    // list file would make of it.
    struct Pair {
        QByteArray own, lookalike;
    };
    const std::vector<Pair> pairs = {{"tab\tname.mp3", "tab name.mp3"},
                                     {"line\r\nbreak.mp3", "line  break.mp3"},
                                     {"caf\xe9.mp3", "caf\xef\xbf\xbd.mp3"}};
    QDir().mkpath(music);
    const auto cleanUp = qScopeGuard([&] {
        // The temporary folder cannot remove a name that is not UTF-8 itself.
        for (const Pair& p : pairs) ::unlink((NativePath(music) + '/' + p.own).constData());
    });
    for (const Pair& p : pairs) {
        ASSERT_NO_FATAL_FAILURE(WriteNative(music, p.own, MakeMp3({})));
        ASSERT_NO_FATAL_FAILURE(WriteNative(music, p.lookalike, MakeMp3({})));
    }
    Scan(music);
    OpenCoordinator();
    coordinator->BtnSimulate_Click();
    SimResultsModel& table = *coordinator->SimResults();
    ASSERT_EQ(table.rows(), 6);
    std::vector<int> own;  // the rows of the files to delete, in list order
    for (int r = 0; r < table.rows(); ++r)
        for (const Pair& p : pairs)
            if (NativePath(table.text(r, SimColumn::OldFileName)) == p.own) own.push_back(r);
    ASSERT_EQ(own.size(), pairs.size());

    const QString file = work.path() + QStringLiteral("/names.sim");
    dialogs.answers.push_back(ScriptedDialogs::ChooseFile(file));
    coordinator->mnuFileSave_Click();
    table.clear();
    dialogs.answers.push_back(ScriptedDialogs::ChooseFile(file));
    coordinator->mnuFileOpen_Click();
    ASSERT_EQ(table.rows(), 6);

    // Only those rows are marked "Delete" and ticked.
    for (int r = 0; r < table.rows(); ++r) {
        const bool mine = std::find(own.begin(), own.end(), r) != own.end();
        table.setText(r, SimColumn::Action, QLatin1String(mine ? "Delete" : "No Change"));
        table.setChecked(r, mine);
    }
    Options().Preferences.blnUseRecycleBin = false;
    coordinator->mcheckChangeFileName.SetValue(0);
    coordinator->mcheckChangeID3v1Tag.SetValue(0);
    coordinator->mcheckChangeID3v2Tag.SetValue(0);
    ui.shown.clear();
    Answer([](DialogApplyChanges& d) { d.OKButton->click(); });
    coordinator->BtnApply_Click();
    for (const Pair& p : pairs) {
        EXPECT_FALSE(ExistsNative(music, p.own)) << p.own.toStdString();
        EXPECT_TRUE(ExistsNative(music, p.lookalike)) << p.lookalike.toStdString();
    }
    EXPECT_TRUE(StatusIs(GetResourceString(TextId::Coordinator::ApplyComplete))) << coordinator->LabelStatusBar->text();
}

TEST_F(ApplyWindowTest, AFullDiskIsReportedForEachFileByNameAndReasonAndCounted) {
    const QStringList names = {"01 - Abba - Waterloo.mp3", "02 - Blur - Song 2.mp3"};
    Simulated(names);
    std::vector<QByteArray> before;
    for (const QString& name : names) before.push_back(ReadBytes(music + "/" + name));
    coordinator->mcheckChangeID3v2Tag.SetValue(1);
    Answer([](DialogApplyChanges& d) { d.OKButton->click(); });
    SetApplyWriteFaultForTesting(&DiskFull);
    coordinator->BtnApply_Click();
    SetApplyWriteFaultForTesting(nullptr);

    const QString end = coordinator->LabelStatusBar->text();
    EXPECT_TRUE(end.contains("2 of 2")) << end;
    // One box per file in the program's file-error form, then the end box.
    ASSERT_EQ(ui.shown.size(), 3u) << Shown();
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(ui.shown[size_t(i)].title, GetResourceString(TextId::Common::PathFileAccessError));
        EXPECT_EQ(ui.shown[size_t(i)].prompt, names[i] + "\r\n\r\nCannot modify ID3v2 Tag. Disk full");
        EXPECT_EQ(ReadBytes(music + "/" + names[i]), before[size_t(i)]);
    }
    EXPECT_EQ(ui.shown[2].title, coordinator->windowTitle());
    EXPECT_TRUE(ui.shown[2].prompt.startsWith(end)) << ui.shown[2].prompt;
}

namespace {
// The hiding folders of changes of letter case cannot be made: the first
// for want of an inode (the quota), the next for a reason the system
// gives no number of its own for here.
int g_foldersTried = 0;
int NoFolderCanBeMade(const char*, unsigned) { return g_foldersTried++ == 0 ? EDQUOT : EMLINK; }
}  // namespace

TEST_F(ApplyWindowTest, AHidingFolderThatCannotBeMadeIsReportedForItsFileByNameAndReasonAndCounted) {
    // Names too long for a hidden intermediate name beside them.
    const QString first = QStringLiteral("01 - ") + QString(241, QLatin1Char('a')) + QStringLiteral(".mp3");
    const QString second = QStringLiteral("02 - ") + QString(241, QLatin1Char('b')) + QStringLiteral(".mp3");
    const QString shortName = QStringLiteral("03 - blur - song 2.mp3");
    const QStringList names = {first, second, shortName};
    ASSERT_EQ(QFile::encodeName(first).size(), 250);
    Simulated(names);
    std::vector<QByteArray> before;
    for (const QString& name : names) {
        before.push_back(ReadBytes(music + "/" + name));
        coordinator->SimResults()->setText(SimRowIndex(name), SimColumn::NewFileName, name.toUpper());
    }
    coordinator->mcheckChangeFileName.SetValue(1);
    Answer([](DialogApplyChanges& d) { d.OKButton->click(); });
    g_foldersTried = 0;
    SetMakeFolderFunctionForTesting(&NoFolderCanBeMade);
    coordinator->BtnApply_Click();
    SetMakeFolderFunctionForTesting(nullptr);

    const QString end = coordinator->LabelStatusBar->text();
    EXPECT_TRUE(end.contains("2 of 3")) << end;
    // One box per file in the rename's file-error form, then the end box.
    ASSERT_EQ(ui.shown.size(), 3u) << Shown();
    const QString reasons[] = {QStringLiteral("Disk full."), QStringLiteral("Device I/O error.")};
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(ui.shown[size_t(i)].title, GetResourceString(TextId::Common::ErrorRenamingFile));
        EXPECT_EQ(ui.shown[size_t(i)].prompt, names[i] + "\r\n\r\n" + reasons[i]);
    }
    EXPECT_EQ(ui.shown[2].title, coordinator->windowTitle());
    // The two long files are as they were, the short one renamed; nothing
    // hidden is left.
    QStringList expected = {first, second, shortName.toUpper()};
    expected.sort();
    QStringList left = QDir(music).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    left.sort();
    EXPECT_EQ(left, expected);
    EXPECT_EQ(ReadBytes(music + "/" + first), before[0]);
    EXPECT_EQ(ReadBytes(music + "/" + second), before[1]);
    EXPECT_EQ(ReadBytes(music + "/" + shortName.toUpper()), before[2]);
}

TEST_F(ApplyWindowTest, OverridesReachTheDialogAndUntickingOneSwitchesItOffInTheTool) {
    Simulated({"01 - Abba - Waterloo.mp3"});
    ASSERT_NE(Tool(), nullptr);  // loaded hidden with the coordinator
    EXPECT_FALSE(Tool()->isVisible());
    Tool()->CheckID3v2Tag->click();
    Tool()->TextID3v2[V2Field::Artist]->setText(QStringLiteral("Everyone"));
    EXPECT_TRUE(Tool()->CheckID3v2[V2Field::Artist]->isChecked());
    coordinator->UpdateOverrideIndicator();
    EXPECT_EQ(coordinator->LabelTagOverrides->text(), GetResourceString(TextId::Coordinator::OverridesInEffect));

    Answer([](DialogApplyChanges& d) {
        EXPECT_EQ(d.CheckChange[kArtistRow]->text(),
                  "All ID3v2 Tags to be updated with \"Everyone\" in the Artist field.");
        Untick(d, kArtistRow);
        d.CancelButton->click();
    });
    coordinator->BtnApply_Click();
    EXPECT_EQ(shownRows, (std::vector<int>{kArtistRow}));
    EXPECT_FALSE(Tool()->CheckID3v2[V2Field::Artist]->isChecked());
    coordinator->UpdateOverrideIndicator();
    EXPECT_EQ(coordinator->LabelTagOverrides->text(), GetResourceString(TextId::Coordinator::NoOverridesInEffect));
}

// ---- the override tool -----------------------------------------------------------------

TEST_F(ApplyWindowTest, TheToolsSkinnedTitleBarHasACloseBoxOnly) {
    for (const bool skins : {true, false}) {
        SCOPED_TRACE(skins ? "skins on" : "skins off");
        Options().Preferences.blnUseSkins = skins;
        auto* tool = new DialogMassTaggingOverrideTool;
        EXPECT_FALSE(tool->ImageSystemMenu[0]->isVisible());
        EXPECT_FALSE(tool->ImageSystemMenu[1]->isVisible());
        EXPECT_EQ(tool->ImageSystemMenu[2]->isVisible(), skins);
        EXPECT_EQ(tool->windowFlags() & Qt::WindowType_Mask, Qt::Tool);
        // A double click on the title bar does not maximise it either.
        emit tool->ImageTitleBar->DblClick();
        EXPECT_FALSE(tool->isMaximized());
        tool->UnloadWindow();
        Settle();
    }
}

TEST_F(ApplyWindowTest, TheToolStartsSwitchedOffAndTagEnMasseEnablesOnlyItsGroup) {
    auto* tool = new DialogMassTaggingOverrideTool;
    EXPECT_EQ(tool->windowTitle(), "Mass Tagging Override Tool");
    EXPECT_FALSE(tool->CheckID3v1Tag->isChecked());
    for (QCheckBox* c : tool->CheckID3v1) EXPECT_FALSE(c->isEnabled() || c->isChecked());
    EXPECT_FALSE(tool->CheckID3v1Remove->isEnabled());
    EXPECT_EQ(tool->ComboID3v1Genre->currentIndex(), 0);
    EXPECT_EQ(tool->ComboID3v1Genre->currentText(), "");
    EXPECT_EQ(tool->ComboID3v1Genre->itemText(1), "A Capella");  // alphabetical after the blank
    const QColor greyed = tool->TextID3v1[V1Field::Title]->palette().color(QPalette::Base);

    tool->CheckID3v1Tag->click();
    for (QCheckBox* c : tool->CheckID3v1) EXPECT_TRUE(c->isEnabled());
    EXPECT_TRUE(tool->CheckID3v1Remove->isEnabled());
    EXPECT_NE(tool->TextID3v1[V1Field::Title]->palette().color(QPalette::Base), greyed);
    for (QCheckBox* c : tool->CheckID3v2) EXPECT_FALSE(c->isEnabled());
    EXPECT_FALSE(tool->ComboID3v2Genre->isEnabled());

    // Off again: greyed, ticks and values kept.
    tool->TextID3v1[V1Field::Title]->setText(QStringLiteral("Kept"));
    tool->CheckID3v1Tag->click();
    EXPECT_FALSE(tool->TextID3v1[V1Field::Title]->isEnabled());
    EXPECT_TRUE(tool->CheckID3v1[V1Field::Title]->isChecked());
    EXPECT_EQ(MassTagging().values().id3v1[V1Field::Title].value, "Kept");
    EXPECT_FALSE(MassTagging().values().id3v1InForce(V1Field::Title));
    tool->UnloadWindow();
    Settle();
}

TEST_F(ApplyWindowTest, TypingTicksItsFieldAndNumericBoxesKeepDigitsOnly) {
    int beeps = 0;
    SetBeepForTesting([&] { ++beeps; });
    auto* tool = new DialogMassTaggingOverrideTool;
    tool->CheckID3v1Tag->click();
    tool->CheckID3v2Tag->click();
    struct Case {
        QLineEdit* box;
        QCheckBox* tick;
        const char* typed;
        const char* kept;
    };
    const std::vector<Case> cases = {
        {tool->TextID3v1[V1Field::Track], tool->CheckID3v1[V1Field::Track], "1a", "1"},
        {tool->TextID3v1[V1Field::Year], tool->CheckID3v1[V1Field::Year], "-19999", "1999"},
        {tool->TextID3v2[V2Field::Year], tool->CheckID3v2[V2Field::Year], "20240101", "2024010"},
        {tool->TextID3v2[V2Field::Track], tool->CheckID3v2[V2Field::Track], "3/12", "3/12"},
        {tool->TextID3v1[V1Field::Title], tool->CheckID3v1[V1Field::Title],
         "0123456789012345678901234567890123", "012345678901234567890123456789"},
        {tool->TextID3v1[V1Field::Track], tool->CheckID3v1[V1Field::Track], "0", "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        c.box->clear();
        c.tick->setChecked(false);
        c.box->setFocus();
        QTest::keyClicks(c.box, QString::fromLatin1(c.typed));
        EXPECT_EQ(c.box->text(), c.kept);
        EXPECT_TRUE(c.tick->isChecked());
    }
    EXPECT_GT(beeps, 0);
    // Clearing a value leaves its field ticked with an empty value.
    tool->TextID3v2[V2Field::Composer]->setText(QStringLiteral("x"));
    tool->TextID3v2[V2Field::Composer]->clear();
    EXPECT_TRUE(tool->CheckID3v2[V2Field::Composer]->isChecked());
    EXPECT_TRUE(MassTagging().values().id3v2InForce(V2Field::Composer));
    SetBeepForTesting({});
    tool->UnloadWindow();
    Settle();
}

TEST_F(ApplyWindowTest, UnloadingStoresTheSetButTheID3v1TrackAndTheRemoveBoxes) {
    auto* tool = new DialogMassTaggingOverrideTool;
    tool->CheckID3v1Tag->click();
    tool->CheckID3v2Tag->click();
    tool->TextID3v1[V1Field::Track]->setText(QStringLiteral("9"));
    tool->TextID3v1[V1Field::Artist]->setText(QStringLiteral("Stored Artist"));
    tool->TextID3v2[V2Field::URL]->setText(QStringLiteral("http://x.example"));
    tool->CheckID3v2[V2Field::URL]->setChecked(false);  // a value stored unticked
    tool->ComboID3v1Genre->setCurrentIndex(tool->ComboID3v1Genre->findText(QStringLiteral("Jazz")));
    emit tool->ComboID3v1Genre->activated(tool->ComboID3v1Genre->currentIndex());
    tool->CheckID3v1Remove->click();
    tool->CheckID3v2Remove->click();
    tool->BtnHide->click();  // hidden, still loaded: nothing changes
    EXPECT_FALSE(tool->isVisible());
    EXPECT_EQ(MassTagging().values().id3v1[V1Field::Track].value, "9");
    tool->UnloadWindow();
    Settle();
    EXPECT_EQ(MassTagging().values(), MassTaggingOverrides{});

    tool = new DialogMassTaggingOverrideTool;
    const MassTaggingOverrides& o = MassTagging().values();
    EXPECT_TRUE(o.id3v1Tag && o.id3v2Tag);
    EXPECT_EQ(o.id3v1[V1Field::Track], MassOverrideField{});
    EXPECT_FALSE(o.id3v1Remove || o.id3v2Remove);
    EXPECT_EQ(o.id3v1[V1Field::Artist], (MassOverrideField{true, "Stored Artist"}));
    EXPECT_EQ(o.id3v1[V1Field::Genre], (MassOverrideField{true, "Jazz"}));
    EXPECT_EQ(o.id3v2[V2Field::URL], (MassOverrideField{false, "http://x.example"}));
    EXPECT_EQ(tool->TextID3v1[V1Field::Artist]->text(), "Stored Artist");
    EXPECT_FALSE(tool->CheckID3v2[V2Field::URL]->isChecked());
    EXPECT_EQ(tool->ComboID3v1Genre->currentText(), "Jazz");
    tool->UnloadWindow();
    Settle();
}

TEST_F(ApplyWindowTest, DuringAJobOnlyHideStaysOn) {
    auto* tool = new DialogMassTaggingOverrideTool;
    tool->CheckID3v1Tag->click();
    tool->EnableControls(false);
    EXPECT_FALSE(tool->CheckID3v1Tag->isEnabled());
    EXPECT_FALSE(tool->TextID3v1[V1Field::Title]->isEnabled());
    EXPECT_TRUE(tool->BtnHide->isEnabled());
    tool->EnableControls(true);
    EXPECT_TRUE(tool->TextID3v1[V1Field::Title]->isEnabled());
    EXPECT_FALSE(tool->TextID3v2[V2Field::Title]->isEnabled());  // its group is off
    tool->UnloadWindow();
    Settle();
}

}  // namespace
