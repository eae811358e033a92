// The File Information window: what it shows of a file, what OK writes,
// creates or removes, and the row that is read again afterwards.

#include "mainwin/MainWinSupport.h"

#include "scanning/engine/ID3v1.h"
#include "scanning/engine/ID3v2TagInfo.h"
#include "scanning/engine/ScanResultsModel.h"
#include "scanning/ui/FileInfoDialog.h"
#include "scanning/ui/ScanResultsView.h"
#include "foundation/Errors.h"
#include "foundation/NativePath.h"
#include "scanning/tagobject/ID3v2TagObject.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cstdio>
#include <memory>

namespace {

class FileInfoWindowTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        folder = work.path() + QStringLiteral("/Music");
        Mp3Recipe tagged;
        tagged.v1 = true;
        tagged.v1Title = QStringLiteral("One");
        tagged.v1Artist = QStringLiteral("Band");
        tagged.v1Year = QStringLiteral("2001");
        tagged.v1Track = 3;
        tagged.v1Genre = 147;
        tagged.v2 = {{"TIT2", QStringLiteral("One v2")},
                     {"TPE1", QStringLiteral("Band v2")},
                     {"TCON", QStringLiteral("Chiptune Noise")},
                     {"TYER", QStringLiteral("2001")}};
        taggedPath = WriteFile(folder, QStringLiteral("tagged.mp3"), MakeMp3(tagged));
        barePath = WriteFile(folder, QStringLiteral("bare.mp3"), MakeMp3({}));
    }

    // Opens the window on `path`; `user` acts in it and must close it.
    bool Show(const QString& path, std::function<void(FormFileInfo&)> user) {
        bool ran = false;
        SetFileInfoDialogDriver([&](FormFileInfo& w) {
            ran = true;
            user(w);
        });
        const bool shown = DisplayFileInfoDialog(path);
        SetFileInfoDialogDriver({});
        EXPECT_EQ(ran, shown);
        return shown;
    }

    static ID3v1Tag V1(const QString& path, bool* has = nullptr) {
        ID3v1Tag tag;
        bool hasTag = false, filtered = false;
        ReadID3v1TagInfo(path, tag, hasTag, filtered, nullptr);
        if (has) *has = hasTag;
        return tag;
    }
    static ID3v2Tag V2(const QString& path, bool* has = nullptr) {
        ID3v2Tag tag;
        bool hasTag = false, filtered = false;
        ReadID3v2TagInfo(path, tag, hasTag, filtered, nullptr);
        if (has) *has = hasTag;
        return tag;
    }

    QString folder, taggedPath, barePath;
};

TEST_F(FileInfoWindowTest, ShowsBothTagsAndTheHeaderOfAFile) {
    Show(taggedPath, [](FormFileInfo& w) {
        EXPECT_EQ(w.windowTitle(), "File Information");
        EXPECT_TRUE(w.CheckID3v1Tag->isChecked());
        EXPECT_TRUE(w.TextID3v1Title->isEnabled());
        EXPECT_EQ(w.TextID3v1Title->text(), "One");
        EXPECT_EQ(w.TextID3v1Track->text(), "3");
        EXPECT_EQ(w.ComboID3v1Genre->currentText(), "Synthpop");
        EXPECT_TRUE(w.CheckID3v2Tag->isChecked());
        EXPECT_EQ(w.TextID3v2Title->text(), "One v2");
        // A genre outside the table is shown as stored.
        EXPECT_EQ(w.ComboID3v2Genre->currentText(), "Chiptune Noise");
        const QStringList lines = w.TextMPEGInfo->toPlainText().split('\n');
        ASSERT_EQ(lines.size(), 11);
        EXPECT_TRUE(lines[0].startsWith("Size: ")) << lines[0];
        EXPECT_EQ(lines[3], "MPEG 1.0 layer 3");
        EXPECT_EQ(lines[4].left(10), "128 kbps, ");
        EXPECT_TRUE(lines[5].startsWith("44100 Hz ")) << lines[5];
        w.BtnCancel_Click();
    });
}

TEST_F(FileInfoWindowTest, OKWithoutChangesLeavesTheFileUntouched) {
    // Comments whose line breaks or no-break spaces the comment box shows its
    // own way go back as they were stored.
    QStringList paths{taggedPath, barePath};
    const QString comments[] = {QStringLiteral("line one\r\nline two"), QStringLiteral("lone\rreturn"),
                                QString::fromUtf8("no\xC2\xA0" "break")};
    for (const QString& comment : comments) {
        Mp3Recipe recipe;
        recipe.v2 = {{"TIT2", QStringLiteral("Title")}, {"COMM", comment}};
        paths << WriteFile(folder, QStringLiteral("comment%1.mp3").arg(paths.size()), MakeMp3(recipe));
    }
    for (const QString& path : paths) {
        const QByteArray before = ReadBytes(path);
        Show(path, [&](FormFileInfo& w) {
            if (path == barePath) {
                // No tag: both groups unticked, their boxes disabled.
                EXPECT_FALSE(w.CheckID3v1Tag->isChecked());
                EXPECT_FALSE(w.CheckID3v2Tag->isChecked());
                EXPECT_FALSE(w.TextID3v1Title->isEnabled());
                EXPECT_FALSE(w.BtnCopyToID3v1->isEnabled());
            }
            w.BtnOK_Click();
        });
        EXPECT_EQ(ReadBytes(path), before) << path;
    }
}

TEST_F(FileInfoWindowTest, OKCreatesWritesAndRemovesTags) {
    // A new ID3v1 tag: the typed title, no track, no genre.
    Show(barePath, [](FormFileInfo& w) {
        w.CheckID3v1Tag->click();
        EXPECT_TRUE(w.TextID3v1Title->isEnabled());
        w.TextID3v1Title->setText("Fresh");
        w.BtnOK_Click();
    });
    bool has = false;
    ID3v1Tag v1 = V1(barePath, &has);
    EXPECT_TRUE(has);
    EXPECT_EQ(v1.Title, "Fresh");
    EXPECT_EQ(v1.Track, 0);
    EXPECT_EQ(v1.Genre, 255);

    // The ID3v2 tag unticked on a file that has one: removed.  ID3v1 edited.
    Show(taggedPath, [](FormFileInfo& w) {
        w.CheckID3v2Tag->click();
        w.TextID3v1Artist->setText("Other Band");
        w.BtnOK_Click();
    });
    V2(taggedPath, &has);
    EXPECT_FALSE(has);
    EXPECT_EQ(V1(taggedPath).Artist, "Other Band");

    // Copy from ID3v1 makes the ID3v2 tag again from the ID3v1 boxes.
    Show(taggedPath, [](FormFileInfo& w) {
        EXPECT_FALSE(w.CheckID3v2Tag->isChecked());
        w.BtnCopyFromID3v1_Click();
        EXPECT_TRUE(w.CheckID3v2Tag->isChecked());
        EXPECT_EQ(w.ComboID3v2Genre->currentText(), "Synthpop");
        w.TextID3v2Comment->insertPlainText("Typed\nhere");  // as the user types
        w.BtnOK_Click();
    });
    const ID3v2Tag v2 = V2(taggedPath, &has);
    EXPECT_TRUE(has);
    EXPECT_EQ(v2.Title, "One");
    EXPECT_EQ(v2.Artist, "Other Band");
    EXPECT_EQ(v2.Genre, "Synthpop");
    EXPECT_EQ(v2.Track, "3");
    EXPECT_EQ(v2.Comment, "Typed\nhere");
}

TEST_F(FileInfoWindowTest, CopyToID3v1FitsTheTextsToTheOldTag) {
    Show(taggedPath, [](FormFileInfo& w) {
        w.TextID3v2Title->setText(QString(40, 'x'));
        w.TextID3v2Year->setText("1999");
        w.BtnCopyToID3v1_Click();
        EXPECT_EQ(w.TextID3v1Title->text(), QString(30, 'x'));
        // A genre the table does not know becomes the empty entry.
        EXPECT_EQ(w.ComboID3v1Genre->currentText(), "");
        // Digit-only boxes drop what is not a digit, also when the program types.
        w.TextID3v1Year->setText("19a9");
        EXPECT_EQ(w.TextID3v1Year->text(), "199");
        w.BtnOK_Click();
    });
    const ID3v1Tag v1 = V1(taggedPath);
    EXPECT_EQ(v1.Title, QString(30, 'x'));
    EXPECT_EQ(v1.Year, "199");
    EXPECT_EQ(v1.Genre, 255);
}

// A tag object that finds a tag but fails to hand out its frames, and
// counts the removals asked of it.
class FramesFailTagObject final : public quillmark::_clsID3v2 {
public:
    quillmark::Status QueryInterface(const quillmark::Guid&, void**) noexcept override { return 1; }
    uint32_t AddRef() noexcept override { return 1; }
    uint32_t Release() noexcept override { return 1; }
    const quillmark::ErrorInfo& LastError() const noexcept override { return m_error; }
    bool HasTag() const noexcept override { return true; }
    quillmark::Status ReadTag(const std::string&) noexcept override { return quillmark::S_Ok; }
    quillmark::Status ReadTagFromBytes(const std::string&, const uint8_t*, size_t) noexcept override {
        return quillmark::S_Ok;
    }
    quillmark::Status WriteTag(const std::string&, bool) noexcept override { return quillmark::S_Ok; }
    quillmark::Status RenderTag(std::vector<uint8_t>&) noexcept override { return quillmark::S_Ok; }
    quillmark::Status RemoveTag(const std::string&, bool) noexcept override {
        ++removals;
        return quillmark::S_Ok;
    }
    quillmark::Status GetFrameValue(quillmark::eID3FrameIDs, std::string&) noexcept override { return -1; }
    quillmark::Status SetFrameValue(quillmark::eID3FrameIDs, const std::string&) noexcept override {
        return quillmark::S_Ok;
    }
    int removals = 0;

private:
    quillmark::ErrorInfo m_error{ErrNo::ComponentErrorBase + 105, "clsID3v2", "The frame cannot be read."};
};

TEST_F(FileInfoWindowTest, AnID3v2TagThatCouldNotBeReadIsNeverRemoved) {
    // The tag was found but not read: the window shows nothing of it, so OK
    // (with its box unticked) must leave it alone.
    FramesFailTagObject failing;
    gobjID3v2Tag = ID3v2TagObject(&failing);
    Show(taggedPath, [](FormFileInfo& w) {
        EXPECT_FALSE(w.CheckID3v2Tag->isChecked());
        w.BtnOK_Click();
    });
    gobjID3v2Tag.reset();
    InitialiseQuillmarkClass();
    EXPECT_EQ(failing.removals, 0);
    ASSERT_FALSE(ui.shown.empty());
    EXPECT_TRUE(ui.shown[0].prompt.contains("The frame cannot be read.")) << Shown();
}

TEST_F(FileInfoWindowTest, TheRowIsReadAgainAfterTheWindowCloses) {
    OpenWindow();
    Scan(folder);
    ScanResultsModel& model = *window->ScanResults();
    const int row = RowOf(model, "tagged.mp3");
    ASSERT_GE(row, 0);
    model.setChecked(row, false);
    window->ListViewScanResults->setCurrentIndex(window->ListViewScanResults->model()->index(row, 0));
    SetFileInfoDialogDriver([](FormFileInfo& w) {
        w.TextID3v1Title->setText("Renamed");
        w.TextID3v2Artist->setText("Another");
        w.BtnOK_Click();
    });
    window->mnuActionsFileInfo_Click();
    EXPECT_EQ(model.text(row, ScanColumn::ID3v1Title), "Renamed");
    EXPECT_EQ(model.text(row, ScanColumn::ID3v2Artist), "Another");
    EXPECT_FALSE(model.isChecked(row));  // the check mark stays as it was
    EXPECT_EQ(model.text(row, ScanColumn::FileName), "tagged.mp3");
}

TEST_F(FileInfoWindowTest, ARowWhoseNameIsNotUtf8ReachesItsFile) {
    // A file named in Latin-1 bytes: the window, its OK, the row read again
    // and the drag data all reach that very file.
    const QByteArray real = QFile::encodeName(folder) + "/caf\xE9.mp3";
    ASSERT_EQ(::rename(QFile::encodeName(taggedPath).constData(), real.constData()), 0);
    OpenWindow();
    Scan(folder);
    ScanResultsModel& model = *window->ScanResults();
    ASSERT_EQ(model.rows(), 2);
    const int row = model.text(0, ScanColumn::FileName) == "bare.mp3" ? 1 : 0;
    EXPECT_EQ(model.text(row, ScanColumn::ID3v1Title), "One");
    window->ListViewScanResults->setCurrentIndex(window->ListViewScanResults->model()->index(row, 0));
    QString shownName, shownTitle;
    SetFileInfoDialogDriver([&](FormFileInfo& w) {
        shownName = w.TextFileName->text();
        shownTitle = w.TextID3v1Title->text();
        w.TextID3v1Title->setText("Written");
        w.BtnOK_Click();
    });
    window->mnuActionsFileInfo_Click();
    SetFileInfoDialogDriver({});
    EXPECT_EQ(shownName, folder + QStringLiteral("/caf\u00E9.mp3"));
    EXPECT_EQ(shownTitle, "One");
    EXPECT_EQ(V1(PathFromNative(real)).Title, "Written");
    EXPECT_EQ(model.text(row, ScanColumn::ID3v1Title), "Written");
    EXPECT_TRUE(ui.shown.empty()) << Shown();

    ScanResultsView* list = window->ListViewScanResults;
    list->selectionModel()->select(list->model()->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    std::unique_ptr<QMimeData> data(ScanResultsView::FileListData([list] { return list->SelectedPaths(); }));
    ASSERT_EQ(data->urls().size(), 1);
    EXPECT_EQ(data->urls()[0].toEncoded(), "file://" + QFile::encodeName(folder).toPercentEncoding("/") + "/caf%E9.mp3");
    EXPECT_EQ(ScanResultsView::DroppedFiles(data.get()), QStringList{PathFromNative(real)});
}

TEST_F(FileInfoWindowTest, AMissingFileIsReportedAndItsRowKept) {
    OpenWindow();
    Scan(folder);
    ScanResultsModel& model = *window->ScanResults();
    const int row = RowOf(model, "bare.mp3");
    const QStringList before = model.rowTexts(row);
    QFile::remove(barePath);
    window->ListViewScanResults->setCurrentIndex(window->ListViewScanResults->model()->index(row, 0));
    window->ActionsMenuRootSelect();
    EXPECT_FALSE(window->mnuActionsFileInfo->isEnabled());
    EXPECT_FALSE(window->mnuActionsPlay->isEnabled());
    SetFileInfoDialogDriver([](FormFileInfo& w) { w.BtnCancel_Click(); });
    window->mnuActionsFileInfo_Click();
    ASSERT_EQ(ui.shown.size(), 1u) << Shown();
    EXPECT_EQ(ui.shown[0].title, "File Missing");
    EXPECT_EQ(ui.shown[0].prompt, "The file '" + barePath + "' no longer exists.");
    EXPECT_EQ(model.rowTexts(row), before);
}

}  // namespace
