// Every window's keys pressed as the window system delivers them (each event
// to the focused control, offered to the shortcut map first), with skins on
// and off, and with the modifier let go before and after the letter: each
// command runs once per key press.  A command that runs twice shows twice,
// flips a box back, scans twice or deletes two rows.

#include "allwindows/AllWindowsSupport.h"

#include "coordinator/SimResultsModel.h"
#include "coordinator/ui/FileNameTagCoordinator.h"
#include "coordinator/ui/SimResultsView.h"
#include "foundation/MessageUi.h"
#include "foundation/OptionRecords.h"
#include "foundation/WindowProtocol.h"
#include "scanning/engine/ScanResultsModel.h"
#include "scanning/ui/ScanResultsView.h"
#include "shell/ui/Launcher.h"
#include "support/RealKeys.h"

#include <QAbstractItemView>
#include <functional>

namespace {

struct KeyCase {
    const char* what;
    Qt::KeyboardModifier modifier;  // Qt::NoModifier: the key alone
    Qt::Key key;
    // What one run changes, and by how much; without a measure, how often
    // something was shown, by one.  A flip measures a 0/1 state.
    std::function<int()> measure = {};
    int change = 1;
    bool flip = false;
    std::function<void()> prepare = {};
};

class KeysOncePerPressTest : public AllWindowsTest {
protected:
    // Presses every case on window `name` (shown afresh for each skin
    // setting), in both modifier orders.
    void PressEach(const QString& name, const std::vector<KeyCase>& cases) {
        for (const bool skins : {true, false}) {
            Options().Preferences.blnUseSkins = skins;
            CloseToolWindows();
            PressEachOn(name, cases, skins);
        }
    }
    void PressEachOn(const QString& name, const std::vector<KeyCase>& cases, bool skins) {
        for (const KeyCase& c : cases) {
            for (const bool modifierUpFirst : {false, true}) {
                if (c.modifier == Qt::NoModifier && modifierUpFirst) continue;
                SCOPED_TRACE(std::string(c.what) + (skins ? ", skinned" : ", plain") +
                             (c.modifier == Qt::NoModifier ? ""
                              : modifierUpFirst            ? ", modifier let go first"
                                                           : ", letter let go first"));
                Show(name);
                if (c.prepare) c.prepare();
                const std::function<int()> measure = c.measure ? c.measure : [this] { return Shows(); };
                const int before = measure();
                if (c.modifier == Qt::NoModifier) RealKeys::Click(c.key);
                else RealKeys::Chord(c.modifier, c.key, modifierUpFirst);
                SettleAfter([&] { return measure() != before; });
                const int expected = c.flip ? 1 - before : before + c.change;
                EXPECT_EQ(measure(), expected) << Shown();
                CloseMenus();
            }
        }
    }

    // Alt with the letters of the menu bar: each pops its menu up once.
    static std::vector<KeyCase> MenuLetters(std::initializer_list<Qt::Key> letters) {
        std::vector<KeyCase> cases;
        for (const Qt::Key letter : letters) cases.push_back({"Alt+menu letter", Qt::AltModifier, letter});
        cases.push_back({"F1", Qt::NoModifier, Qt::Key_F1});
        return cases;
    }
    static std::vector<KeyCase> Join(std::vector<KeyCase> a, const std::vector<KeyCase>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }
    template <typename W>
    static W* Loaded(const QString& name) {
        return WindowRegistry::FindAs<W>(name);
    }
    static void SelectFirstRow(QAbstractItemView* list) {
        list->setFocus();
        list->setCurrentIndex(list->model()->index(0, 0));
    }
};

TEST_F(KeysOncePerPressTest, ScanningCentre) {
    Options().ScanningCentre.blnClearResults = false;  // a second scan would add its rows again
    const auto rows = [this] { return window->ScanResults()->rows(); };
    const std::vector<KeyCase> cases = Join({{"Alt+S scans", Qt::AltModifier, Qt::Key_S, rows, 2},
                                             {"Alt+I flips Include subfolders", Qt::AltModifier, Qt::Key_I,
                                              [this] { return int(window->mcheckIncSubfolders.Value()); }, 0, true},
                                             {"Ctrl+O opens", Qt::ControlModifier, Qt::Key_O},
                                             {"Ctrl+S saves", Qt::ControlModifier, Qt::Key_S},
                                             {"Delete removes the selected row", Qt::NoModifier, Qt::Key_Delete, rows,
                                              -1, false, [this] { SelectFirstRow(window->ListViewScanResults); }}},
                                            MenuLetters({Qt::Key_F, Qt::Key_E, Qt::Key_T, Qt::Key_A, Qt::Key_H}));
    for (const bool skins : {true, false}) {
        Options().Preferences.blnUseSkins = skins;
        OpenWindow();
        Scan(music);
        PressEachOn(WindowNames::ScanningCentre, cases, skins);
    }
}

TEST_F(KeysOncePerPressTest, FileNameAndTagCoordinator) {
    auto coordinator = [] { return Loaded<FormFileNameTagCoordinator>(WindowNames::Coordinator); };
    // Apply, Delete and Save want rows in the table.
    const auto simulated = [coordinator] {
        if (coordinator()->SimResults()->rows() < 2) coordinator()->BtnSimulate_Click();
    };
    auto flips = [coordinator](clsCheckBox FormFileNameTagCoordinator::*box) {
        return [coordinator, box] { return int((coordinator()->*box).Value()); };
    };
    PressEach(WindowNames::Coordinator, Join({{"Alt+S simulates", Qt::AltModifier, Qt::Key_S},
                                              {"Alt+P applies", Qt::AltModifier, Qt::Key_P, {}, 1, false, simulated},
                                              {"Alt+N flips", Qt::AltModifier, Qt::Key_N,
                                               flips(&FormFileNameTagCoordinator::mcheckChangeFileName), 0, true},
                                              {"Alt+1 flips", Qt::AltModifier, Qt::Key_1,
                                               flips(&FormFileNameTagCoordinator::mcheckChangeID3v1Tag), 0, true},
                                              {"Alt+2 flips", Qt::AltModifier, Qt::Key_2,
                                               flips(&FormFileNameTagCoordinator::mcheckChangeID3v2Tag), 0, true},
                                              {"Alt+O flips", Qt::AltModifier, Qt::Key_O,
                                               flips(&FormFileNameTagCoordinator::mcheckOverrideArtist), 0, true},
                                              {"Ctrl+O opens", Qt::ControlModifier, Qt::Key_O},
                                              {"Ctrl+S saves", Qt::ControlModifier, Qt::Key_S, {}, 1, false, simulated},
                                              {"Delete removes the selected row", Qt::NoModifier, Qt::Key_Delete,
                                               [coordinator] { return coordinator()->SimResults()->rows(); }, -1, false,
                                               [coordinator, simulated] {
                                                   simulated();
                                                   SelectFirstRow(coordinator()->ListViewSimResults);
                                               }}},
                                             MenuLetters({Qt::Key_F, Qt::Key_E, Qt::Key_T, Qt::Key_A, Qt::Key_H})));
}

TEST_F(KeysOncePerPressTest, PlaylistManager) {
    PressEach(WindowNames::PlaylistManager,
              Join({{"Alt+R reads the scan results", Qt::AltModifier, Qt::Key_R},
                    {"Alt+U asks to tidy", Qt::AltModifier, Qt::Key_U, {}, 1, false, [this] { ui.answers = {Mb::No}; }},
                    {"Ctrl+O opens", Qt::ControlModifier, Qt::Key_O},
                    {"Ctrl+S saves", Qt::ControlModifier, Qt::Key_S}},
                   MenuLetters({Qt::Key_F, Qt::Key_E, Qt::Key_T, Qt::Key_A, Qt::Key_H})));
}

TEST_F(KeysOncePerPressTest, MusicCataloguer) {
    PressEach(WindowNames::MusicCataloguer, Join({{"Alt+B builds", Qt::AltModifier, Qt::Key_B},
                                                  {"Alt+V previews", Qt::AltModifier, Qt::Key_V},
                                                  {"Alt+S saves", Qt::AltModifier, Qt::Key_S},
                                                  {"Ctrl+S saves", Qt::ControlModifier, Qt::Key_S}},
                                                 MenuLetters({Qt::Key_F, Qt::Key_E, Qt::Key_T, Qt::Key_H})));
}

TEST_F(KeysOncePerPressTest, DuplicateFinder) {
    PressEach(
        WindowNames::DuplicateFinder,
        Join({{"Alt+D finds", Qt::AltModifier, Qt::Key_D},
              {"Alt+L asks to delete", Qt::AltModifier, Qt::Key_L, {}, 1, false, [this] { ui.answers = {Mb::No}; }}},
             MenuLetters({Qt::Key_F, Qt::Key_E, Qt::Key_T, Qt::Key_A, Qt::Key_H})));
}

TEST_F(KeysOncePerPressTest, EncoderDecoder) {
    PressEach(WindowNames::EncoderDecoder, Join({{"Alt+R reads the scan results", Qt::AltModifier, Qt::Key_R},
                                                 {"Ctrl+O opens", Qt::ControlModifier, Qt::Key_O}},
                                                MenuLetters({Qt::Key_F, Qt::Key_E, Qt::Key_T, Qt::Key_A, Qt::Key_H})));
}

TEST_F(KeysOncePerPressTest, CDRipperLauncherBarAndOverrideTool) {
    PressEach(WindowNames::CDRipper,
              {{"Alt+B browses", Qt::AltModifier, Qt::Key_B}, {"F1", Qt::NoModifier, Qt::Key_F1}});
    PressEach(WindowNames::Integrator, {{"Alt+S flips Stay On Top", Qt::AltModifier, Qt::Key_S,
                                         [] { return int(FormIntegrator::Instance()->mintCheckStayOnTop); }, 0, true},
                                        {"Alt+O pops up the options", Qt::AltModifier, Qt::Key_O},
                                        {"F1", Qt::NoModifier, Qt::Key_F1}});
    PressEach(WindowNames::MassTagging, {{"F1", Qt::NoModifier, Qt::Key_F1}});
}

}  // namespace
