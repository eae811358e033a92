// The simulate results table's model: Qt's model contract, the action rule
// for ticks and colours, and ".sim" list files.

#include "CoordinatorTestSupport.h"
#include "support/QtPrinters.h"

#include "coordinator/SimResultsModel.h"
#include "coordinator/SimulateChange.h"
#include "foundation/ListFiles.h"
#include "support/ScriptedUi.h"

#include <QAbstractItemModelTester>
#include <QColor>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

SimRowTexts Row(const QString& name, const QString& action, const QString& title = QStringLiteral("Title")) {
    return {name, "/music", "1", "Album", "Artist", title, "01 - Artist - " + title + ".mp3", action};
}

CoordinatorAdvOptions Colours() {
    CoordinatorAdvOptions adv = FirstRunRecords().adv;
    adv.lngColourChange = 0x000001;
    adv.lngColourChangeQ = 0x000002;
    adv.lngColourNoChange = 0x000003;
    adv.lngColourDelete = 0x000004;
    return adv;
}

}  // namespace

TEST(SimResultsModel, KeepsQtsModelContract) {
    SimResultsModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    const CoordinatorAdvOptions adv = Colours();
    model.appendDerivedRows({Row("b.mp3", "Change"), Row("a.mp3", "No Change"), Row("C.mp3", "Change ??")}, adv);
    model.appendRow(true, Row("d.mp3", "Delete"));
    ASSERT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.columnCount(), kSimColumnCount);
    EXPECT_EQ(model.headerData(6, Qt::Horizontal).toString(), "New File Name");

    const QPersistentModelIndex held = model.index(0, 5);  // "b.mp3"
    model.sort(SimColumn::OldFileName);
    EXPECT_EQ(model.text(0, 0), "a.mp3");
    EXPECT_EQ(model.text(2, 0), "C.mp3");  // letter case ignored
    EXPECT_EQ(held.row(), 1);
    model.sort(SimColumn::OldFileName, Qt::DescendingOrder);
    EXPECT_EQ(model.text(0, 0), "d.mp3");

    model.setText(0, SimColumn::Title, "New");
    EXPECT_EQ(model.data(model.index(0, SimColumn::Title)).toString(), "New");
    EXPECT_TRUE(model.removeRows(1, 2));
    EXPECT_FALSE(model.removeRows(1, 5));
    EXPECT_EQ(model.rowCount(), 2);
    model.clear();
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(SimResultsModel, ActionsSetTickAndColour) {
    const CoordinatorAdvOptions adv = Colours();
    struct Case {
        QString action;
        bool checked;
        std::optional<int32_t> colour;
    };
    // A row starts ticked without colour; an unknown action leaves it so.
    const std::vector<Case> cases = {
        {"Change", true, 1},  {"change", true, 1},        {"Change ??", true, 2}, {"CHANGE ??", true, 2},
        {"No Change", false, 3}, {"no change", false, 3}, {"Delete", true, 4},    {"DELETE", true, 4},
        {"Rename", true, std::nullopt}, {"", true, std::nullopt}, {"Change?", true, std::nullopt},
    };
    SimResultsModel model;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action.toStdString());
        model.appendRow(true, Row("x.mp3", c.action));
        const int row = model.rows() - 1;
        model.updateSimResultEntry(row, adv);
        EXPECT_EQ(model.isChecked(row), c.checked);
        EXPECT_EQ(model.colour(row), c.colour);
        if (c.colour) EXPECT_EQ(model.data(model.index(row, 4), Qt::ForegroundRole).value<QColor>(), QColor(*c.colour & 0xFF, 0, 0));
        else EXPECT_FALSE(model.data(model.index(row, 4), Qt::ForegroundRole).isValid());

        // The same rule when a derived row is added (unticked until an action ticks it).
        model.appendDerivedRow(Row("y.mp3", c.action), adv);
        EXPECT_EQ(model.isChecked(model.rows() - 1), c.colour ? c.checked : false);
        EXPECT_EQ(model.colour(model.rows() - 1), c.colour);
    }
}

TEST(SimResultsModel, OnlyTheUsersTickIsAnnounced) {
    SimResultsModel model;
    model.appendDerivedRow(Row("a.mp3", "Change ??"), Colours());
    QSignalSpy spy(&model, &SimResultsModel::checkToggledByUser);
    model.setChecked(0, false);
    model.updateSimResultEntry(0, Colours());
    EXPECT_TRUE(model.isChecked(0));
    EXPECT_EQ(spy.count(), 0);
    EXPECT_TRUE(model.setData(model.index(0, 0), Qt::Unchecked, Qt::CheckStateRole));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy[0][0].toInt(), 0);
    EXPECT_FALSE(spy[0][1].toBool());
    EXPECT_FALSE(model.isChecked(0));
    EXPECT_EQ(model.text(0, SimColumn::Action), "Change ??");  // the window rewrites the action
    EXPECT_FALSE(model.setData(model.index(0, 3), Qt::Checked, Qt::CheckStateRole));
}

TEST(SimResultsModel, SimFileRoundTrip) {
    QTemporaryDir dir;
    ScriptedUi ui;
    const CoordinatorRecords& r = FirstRunRecords();
    const NameDeriver deriver(r.options, r.adv);
    SimResultsModel model;
    for (const char* name : {"01 - Artist - Title.mp3", "Album - Artist - Song.mp3", "a - b - c - d.mp3",
                             "07 - Bj\xc3\xb6rk - J\xc3\xb3ga.mp3"}) {
        const SimulateOutcome out = deriver.simulate(ResultsRow(QString::fromUtf8(name)));
        ASSERT_TRUE(out.ok());
        model.appendDerivedRow(out.cells, r.adv);
    }
    model.setText(1, SimColumn::Title, "tab\there");
    model.setChecked(0, false);
    SimResultsListFile list(model);
    const QString path = dir.filePath("out.sim");
    WriteListFile(list, path);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    // The TAB as ESC and its code.
    EXPECT_TRUE(
        bytes.startsWith("ListViewSimResults\r\n"
                         "001 - Artist - Title.mp3\t/music\t1\t\tArtist\tTitle\t01 - Artist - Title.mp3\tChange\t\r\n"
                         "1Album - Artist - Song.mp3\t/music\t\tAlbum\tArtist\ttab\x1b" +
                         QByteArray("09here\t")))
        << bytes.toStdString();
    EXPECT_TRUE(bytes.contains("\t\t\t\ta - b - c - d.mp3\tNo Change\t\r\n"));

    SimResultsModel loaded;
    QAbstractItemModelTester tester(&loaded, QAbstractItemModelTester::FailureReportingMode::Fatal);
    loaded.appendRow(true, Row("old.mp3", "Change"));
    SimResultsListFile loadedList(loaded);
    LoadTextFileToListView(loadedList, path, "not a sim file");
    ASSERT_EQ(loaded.rows(), model.rows());
    for (int row = 0; row < model.rows(); ++row) {
        EXPECT_EQ(loaded.isChecked(row), model.isChecked(row));
        EXPECT_EQ(loaded.colour(row), std::nullopt);  // loaded rows keep the list's colour
        for (int c = 0; c < kSimColumnCount; ++c) EXPECT_EQ(loaded.text(row, c), model.text(row, c));
    }
    EXPECT_TRUE(ui.shown.empty());

    // A scan results file is not a simulate results file: the rows stay.
    QFile scn(dir.filePath("list.scn"));
    ASSERT_TRUE(scn.open(QIODevice::WriteOnly));
    scn.write("ListViewScanResults\r\n1a.mp3\t/m\t\r\n");
    scn.close();
    LoadTextFileToListView(loadedList, scn.fileName(), "not a sim file");
    EXPECT_EQ(loaded.rows(), model.rows());
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].prompt, "not a sim file");
}
