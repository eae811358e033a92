#include "scanning/engine/ScanResultsModel.h"

#include <QAbstractItemModelTester>
#include <QLocale>
#include <QPersistentModelIndex>
#include <gtest/gtest.h>

namespace {
QStringList Row(const QString& name, const QString& folder = "/m", const QString& title = QString()) {
    QStringList texts(kScanColumnCount);
    texts[ScanColumn::FileName] = name;
    texts[ScanColumn::Folder] = folder;
    texts[ScanColumn::ID3v1Title] = title;
    return texts;
}

// Records the notices a model sends.
struct Notices {
    explicit Notices(QAbstractItemModel& model) {
        QObject::connect(&model, &QAbstractItemModel::rowsInserted, [this] { ++inserted; });
        QObject::connect(&model, &QAbstractItemModel::dataChanged,
                         [this](const QModelIndex& from, const QModelIndex& to) { changed.push_back({from, to}); });
    }
    int inserted = 0;
    std::vector<std::pair<QModelIndex, QModelIndex>> changed;
};

QStringList Column(const ScanResultsModel& model, int column) {
    QStringList out;
    for (int r = 0; r < model.rows(); ++r) out << model.text(r, column);
    return out;
}
}  // namespace

TEST(ScanResultsModel, RowsCellsAndCheckMarks) {
    ScanResultsModel model;
    Notices notices(model);
    model.appendRow(true, Row("a.mp3", "/music/", "Title A"));
    model.appendRow(false, QStringList{"b.mp3", "/music"});  // a short row
    QStringList tooLong = Row("c.mp3");
    tooLong << "extra";
    model.appendRow(true, tooLong);
    EXPECT_EQ(notices.inserted, 3);
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.columnCount(), 40);

    EXPECT_EQ(model.text(0, ScanColumn::ID3v1Title), "Title A");
    EXPECT_EQ(model.text(1, ScanColumn::ID3v1Title), "");
    EXPECT_EQ(model.text(1, ScanColumn::Accessed), "");
    EXPECT_EQ(model.rowTexts(2), Row("c.mp3"));
    EXPECT_EQ(model.fullPath(0), "/music/a.mp3");
    EXPECT_EQ(model.fullPath(1), "/music/b.mp3");
    EXPECT_EQ(model.data(model.index(0, 2)).toString(), "Title A");
    EXPECT_EQ(model.headerData(31, Qt::Horizontal).toString(), "CRC's");

    // Check marks: in column 0 only, through the model roles as well.
    EXPECT_EQ(model.data(model.index(0, 0), Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(model.data(model.index(1, 0), Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_FALSE(model.data(model.index(0, 1), Qt::CheckStateRole).isValid());
    EXPECT_TRUE(model.flags(model.index(0, 0)) & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(model.flags(model.index(0, 3)) & Qt::ItemIsUserCheckable);
    EXPECT_TRUE(model.setData(model.index(1, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(model.isChecked(1));
    EXPECT_EQ(notices.changed.size(), 1u);
    model.setChecked(0, false);
    EXPECT_EQ(model.checkedCount(), 2);
    model.setAllChecked(false);
    EXPECT_EQ(model.checkedCount(), 0);
    model.setAllChecked(true);
    EXPECT_EQ(model.checkedCount(), 3);

    model.setText(0, ScanColumn::ID3v1Title, "Renamed");
    EXPECT_EQ(model.text(0, ScanColumn::ID3v1Title), "Renamed");
    EXPECT_EQ(model.text(0, ScanColumn::Folder), "/music/");

    EXPECT_TRUE(model.removeRows(0, 2));
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.text(0, 0), "c.mp3");
    EXPECT_FALSE(model.removeRows(0, 2));
    model.clear();
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(ScanResultsModel, RecordsInAndOut) {
    ScanResultsModel model;
    ScanRecord record;
    record.FolderListEntry = {"/m", "a.mp3"};
    record.ID3v1Tag.Track = 4;
    record.ID3v1Tag.Genre = 17;
    record.MPEGInfo.FileSize = 12345;
    model.appendRecord(record);
    EXPECT_TRUE(model.isChecked(0));
    EXPECT_EQ(model.text(0, ScanColumn::ID3v1Track), "4");
    EXPECT_EQ(model.text(0, ScanColumn::ID3v1Genre), "Rock");
    EXPECT_EQ(model.record(0).MPEGInfo.FileSize, 12345);

    // A refresh rewrites cells 2 to 39 and keeps name, folder and check mark.
    model.setChecked(0, false);
    ScanRecord fresh;
    fresh.FolderListEntry = {"/elsewhere", "other.mp3"};
    fresh.ID3v2Tag.Title = "New title";
    fresh.MPEGInfo.FileSize = 99;
    Notices notices(model);
    model.updateRowFromRecord(0, fresh);
    EXPECT_EQ(model.text(0, ScanColumn::FileName), "a.mp3");
    EXPECT_EQ(model.text(0, ScanColumn::Folder), "/m");
    EXPECT_FALSE(model.isChecked(0));
    EXPECT_EQ(model.text(0, ScanColumn::ID3v1Track), "");
    EXPECT_EQ(model.text(0, ScanColumn::ID3v1Genre), "");
    EXPECT_EQ(model.text(0, ScanColumn::ID3v2Title), "New title");
    EXPECT_EQ(model.text(0, ScanColumn::Size), "99");
    ASSERT_EQ(notices.changed.size(), 1u);
    EXPECT_EQ(notices.changed[0].first.column(), 2);
    EXPECT_EQ(notices.changed[0].second.column(), 39);

    // Many rows at once: one insertion notice.
    std::vector<ScanResultsModel::NewRow> rows(3);
    rows[1].checked = false;
    rows[2].texts[ScanColumn::FileName] = "z.mp3";
    model.appendRows(std::move(rows));
    EXPECT_EQ(notices.inserted, 1);
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_FALSE(model.isChecked(2));
    EXPECT_EQ(model.text(3, 0), "z.mp3");
}

TEST(ScanResultsModel, SortingByColumnText) {
    // Letter case is ignored in every language, the plain C one too (tests,
    // some desktops), whose own collation would put every capital first.
    struct Restore {
        QLocale locale;
        ~Restore() { QLocale::setDefault(locale); }
    } restore{QLocale()};
    for (const QLocale& locale : {QLocale(QLocale::English, QLocale::UnitedStates), QLocale::c()}) {
        SCOPED_TRACE(locale.name().toStdString());
        QLocale::setDefault(locale);
        ScanResultsModel model;
        const char* names[] = {"b.mp3", "B.mp3", "a.mp3", "10.mp3", "9.mp3", "c.mp3"};
        const char* sizes[] = {"300", "2000", "100", "1", "1", "20"};
        for (int i = 0; i < 6; ++i) {
            QStringList texts = Row(names[i]);
            texts[ScanColumn::Size] = sizes[i];
            model.appendRow(i % 2 == 0, texts);
        }
        const QPersistentModelIndex followed(model.index(2, 0));  // "a.mp3"

        model.sort(ScanColumn::FileName, Qt::AscendingOrder);
        // Letter case ignored, equal texts keep their order, digits as text.
        EXPECT_EQ(Column(model, 0), QStringList({"10.mp3", "9.mp3", "a.mp3", "b.mp3", "B.mp3", "c.mp3"}));
        EXPECT_EQ(followed.row(), 2);
        EXPECT_TRUE(model.isChecked(2));  // check marks travel with their rows
        EXPECT_FALSE(model.isChecked(0));

        model.sort(ScanColumn::Size, Qt::AscendingOrder);  // sizes sort as text
        EXPECT_EQ(Column(model, ScanColumn::Size), QStringList({"1", "1", "100", "20", "2000", "300"}));
        EXPECT_EQ(Column(model, 0).mid(0, 2), QStringList({"10.mp3", "9.mp3"}));  // stable
        EXPECT_EQ(followed.row(), 2);

        model.sort(ScanColumn::FileName, Qt::DescendingOrder);
        EXPECT_EQ(Column(model, 0), QStringList({"c.mp3", "B.mp3", "b.mp3", "a.mp3", "9.mp3", "10.mp3"}));
        EXPECT_EQ(model.text(followed.row(), 0), "a.mp3");

        // Letters beyond ASCII too (rows kept as UTF-16 as well as Latin-1).
        ScanResultsModel wide;
        for (const char* name : {"\xC3\x89T\xC3\x89 b", "\xCE\xA9MEGA d", "\xC3\xA9t\xC3\xA9 a", "\xCF\x89mega c"})
            wide.appendRow(true, Row(QString::fromUtf8(name)));
        wide.sort(ScanColumn::FileName, Qt::AscendingOrder);
        EXPECT_EQ(Column(wide, 0), QStringList({QString::fromUtf8("\xC3\xA9t\xC3\xA9 a"), QString::fromUtf8("\xC3\x89T\xC3\x89 b"),
                                                QString::fromUtf8("\xCF\x89mega c"), QString::fromUtf8("\xCE\xA9MEGA d")}));
    }
}

TEST(ScanResultsModel, KeepsQtsModelContract) {
    ScanResultsModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.appendRow(true, Row("b.mp3"));
    model.appendRow(false, Row("A.mp3", "/n"));
    std::vector<ScanResultsModel::NewRow> many(3);
    for (int i = 0; i < 3; ++i) many[size_t(i)].texts[ScanColumn::FileName] = QStringLiteral("m%1.mp3").arg(2 - i);
    model.appendRows(std::move(many));
    const QString cells[2] = {QStringLiteral("staged.mp3"), QStringLiteral("/s")};
    const QStringView views[2] = {cells[0], cells[1]};
    model.stageRow(true, views);
    model.commitStaged();
    ASSERT_EQ(model.rowCount(), 6);

    const QPersistentModelIndex held = model.index(1, ScanColumn::Folder);  // A.mp3
    model.sort(ScanColumn::FileName);
    EXPECT_EQ(model.text(0, ScanColumn::FileName), "A.mp3");
    EXPECT_EQ(held.row(), 0);
    model.sort(ScanColumn::FileName, Qt::DescendingOrder);
    EXPECT_EQ(held.row(), 5);
    EXPECT_EQ(held.data().toString(), "/n");

    model.setText(0, ScanColumn::ID3v1Title, QStringLiteral("Title"));
    EXPECT_TRUE(model.setData(model.index(0, 0), Qt::Unchecked, Qt::CheckStateRole));
    model.setAllChecked(true);
    model.updateRowFromRecord(1, model.record(2));
    EXPECT_TRUE(model.removeRows(1, 3));
    EXPECT_FALSE(model.removeRows(2, 4));
    EXPECT_EQ(model.rowCount(), 3);
    model.clear();
    EXPECT_EQ(model.rowCount(), 0);
}
