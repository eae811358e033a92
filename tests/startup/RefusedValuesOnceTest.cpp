// Several values of one settings section that the readers of a start refuse
// (numbers too large, words where a Boolean or a number belongs), in a real
// store on disk: the first start reports them in one box and puts each key's
// default in its place, reading on to the keys after them; the next start is
// clean, and every other key keeps its bytes.

#include "foundation/OptionRecords.h"
#include "foundation/SettingsStore.h"
#include "foundation/WindowProtocol.h"
#include "shell/start/StartProcedure.h"
#include "shell/start/ui/StartHost.h"
#include "app/ui/ProgramWindows.h"
#include "support/ScopedOptions.h"
#include "support/ScriptedUi.h"
#include "support/TestFiles.h"

#include <QCoreApplication>
#include <QEvent>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Unloads whatever a start left loaded.
struct CloseAll {
    ~CloseAll() {
        for (IToolWindow* w : WindowRegistry::Loaded()) delete dynamic_cast<QWidget*>(w);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

struct Refused {
    const char* key;
    const char* refused;
    const char* repaired;
};

struct Case {
    const char* section;
    std::vector<Refused> refused;
    // A good key stored after the refused ones and read after them: the
    // start took its value.
    const char* goodKey;
    const char* goodValue;
    std::function<bool()> goodRead;
};

// One start of the program as a user makes it; the prompts of the boxes it
// showed.
QStringList Start() {
    ScriptedUi ui;
    CloseAll closeAll;
    StartHost host;
    Main(host, {});
    QStringList prompts;
    for (const ShownBox& box : ui.shown) prompts << box.prompt;
    return prompts;
}

}  // namespace

TEST(RefusedValuesOnceTest, SeveralRefusedValuesOfOneSectionAreAllRepairedAtTheFirstStart) {
    RegisterProgramWindows();
    const OptionRecords& o = Options();
    const Case cases[] = {
        {"EncoderDecoder",
         {{"Bitrate", "99999999999", "12"},
          {"AlgorithmQuality", "high", "0"},
          {"LowPassFilteringFreqkHz", "1e400", "50000"}},
         "WidthOfLowPassFilterkHz",
         "2.5",
         [&] { return o.EncoderDecoder.dblWidthOfLowPassFilterkHz == 2.5; }},
        // One section, two readers: the coordinator's and its advanced options'.
        {"FileNameTagCoordinator",
         {{"DoubleBarrel", "maybe", "1"}, {"TheAtEnd", "x", "0"}, {"ColourChange", "&H1FFFFFFFF", "&H80000008"}},
         "TrackNumLimit",
         "12",
         [&] { return o.CoordinatorAdv.intTrackNumLimit == 12; }},
        // One section, three readers: list, header and page properties.
        {"MusicCataloguerHTML",
         {{"SortOrder", "-70000", "0"}, {"PageLinksAppear", "top", "0"}},
         "Keywords",
         "Mine",
         [&] { return o.CataloguerHTML.strPageKeywords == "Mine"; }},
        {"Preferences",
         {{"DisplayMessageBox", "maybe", "1"}, {"WriteReadOnly", "", "0"}},
         "UseSkins",
         "False",
         [&] { return !o.Preferences.blnUseSkins; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.section);
        TempHome home;
        ScopedOptions options;
        auto store = [](const QString& section, const QString& key, const QString& text) {
            SaveOptionSetting(section, key, text, SettingType::String);
        };
        store("Settings", "Initialised", "True");
        store("Preferences", "SplashScreen", "False");
        store("Preferences", "RetainWindows", "False");
        store("Other", "Spaced", " a\tb ");
        // A clean start first: what the windows store of themselves is
        // stored already, and stays the same at the next starts.
        ASSERT_TRUE(Start().isEmpty());
        store(c.section, "Neighbour", "caf\u00E9 \u65E5");
        for (const Refused& r : c.refused) store(c.section, r.key, r.refused);
        store(c.section, c.goodKey, c.goodValue);
        store("Other", "Last", "\\ kept");
        QByteArray expected = ReadBytes(SettingsStorePath());
        for (const Refused& r : c.refused) {
            const QByteArray line = QByteArray("\n") + r.key + "=";
            ASSERT_TRUE(expected.contains(line + r.refused + "\n"));
            expected.replace(line + r.refused + "\n", line + r.repaired + "\n");
        }

        const QStringList first = Start();
        EXPECT_EQ(first.size(), 1) << first.join(QLatin1Char('\n')).toStdString();
        EXPECT_TRUE(c.goodRead());
        const QByteArray afterFirst = ReadBytes(SettingsStorePath());
        EXPECT_EQ(afterFirst.toStdString(), expected.toStdString());

        Options() = OptionRecords{};
        const QStringList second = Start();
        EXPECT_TRUE(second.isEmpty()) << second.join(QLatin1Char('\n')).toStdString();
        EXPECT_TRUE(c.goodRead());
        EXPECT_EQ(ReadBytes(SettingsStorePath()).toStdString(), afterFirst.toStdString());
    }
}
