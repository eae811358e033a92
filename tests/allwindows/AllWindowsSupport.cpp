#include "allwindows/AllWindowsSupport.h"

#include "cataloguer/ui/MusicCataloguer.h"
#include "coordinator/ui/ApplyChangesDialog.h"
#include "foundation/FirstRun.h"
#include "foundation/OptionRecords.h"
#include "foundation/ReadOptions.h"
#include "options/MainOptions.h"
#include "foundation/WindowProtocol.h"
#include "options/FileAssociations.h"
#include "ripper/CdDrive.h"
#include "scanning/ui/WindowServices.h"
#include "shell/menus/ui/KeyRouter.h"
#include "shell/start/StartProcedure.h"
#include "app/ui/ProgramWindows.h"

#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QPointer>

namespace {

// Counts the pop-up menus shown anywhere in the program.
class MenuWatch final : public QObject {
public:
    MenuWatch(QObject* parent, int& shows) : QObject(parent), m_shows(shows) { qApp->installEventFilter(this); }
    ~MenuWatch() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && qobject_cast<QMenu*>(watched)) ++m_shows;
        return false;
    }

private:
    int& m_shows;
};

}  // namespace

void AllWindowsTest::SetUp() {
    MainWindowTest::SetUp();
    // The options of a new user (the file associations left alone).
    const AssociationRefresher previous = SetAssociationRefresher([](const QString&) {});
    InitialiseFirstTimeOptions();
    SetAssociationRefresher(previous);
    GetMainOptions();
    GeneralPreferences& preferences = Options().Preferences;
    preferences.blnUseSkins = false;
    preferences.blnDisplayMessageBox = true;
    preferences.blnRetainWindows = false;
    preferences.blnUseRecycleBin = false;

    RegisterProgramWindows();
    InstallKeyRouter();
    gblnStartupComplete = true;
    SetFolderBrowser([this](QWidget*, const QString&) {
        ++browses;
        return QString();
    });
    SetOutputNameAsker([](QWidget*, const QString&, const QString&) { return QStringLiteral("Catalogue"); });
    SetApplyChangesAnswerForTesting([this](DialogApplyChanges&) { ++confirmations; });
    SetCdDriveListerForTesting([] { return QStringList{}; });
    m_menuWatch = new MenuWatch(nullptr, menus);

    // Two files of one title: the Duplicate Finder finds them.
    music = work.path() + QStringLiteral("/Music");
    Mp3Recipe same;
    same.v1 = true;
    same.v1Title = QStringLiteral("Same");
    for (const char* name : {"a.mp3", "b.mp3"}) WriteFile(music, QString::fromLatin1(name), MakeMp3(same));
    OpenWindow();
    Scan(music);
}

void AllWindowsTest::TearDown() {
    CloseMenus();
    CloseToolWindows();
    delete m_menuWatch;
    SetFolderBrowser({});
    SetOutputNameAsker({});
    SetApplyChangesAnswerForTesting({});
    SetCdDriveListerForTesting({});
    gblnStartupComplete = false;
    MainWindowTest::TearDown();
}

QWidget* AllWindowsTest::Show(const QString& name) {
    IToolWindow* tool = WindowRegistry::Show(name);
    auto* widget = dynamic_cast<QWidget*>(tool);
    if (!widget) return nullptr;
    widget->activateWindow();
    QApplication::setActiveWindow(widget);
    const auto* host = dynamic_cast<IKeyHost*>(tool);
    if (QWidget* control = host ? host->EditControl() : nullptr) control->setFocus();
    return widget;
}

void AllWindowsTest::CloseToolWindows() {
    // One at a time: a window may take others with it (the coordinator its
    // override tool).
    for (;;) {
        IToolWindow* tool = nullptr;
        for (IToolWindow* loaded : WindowRegistry::Loaded())
            if (loaded->Name() != WindowNames::ScanningCentre) tool = loaded;
        if (!tool) return;
        QPointer<QWidget> widget = dynamic_cast<QWidget*>(tool);
        if (auto* host = dynamic_cast<ILongJobHost*>(tool)) host->mblnProcessRunning = false;
        tool->UnloadWindow();
        Settle();
        delete widget.data();
        Settle();
    }
}

void AllWindowsTest::CloseMenus() {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* menu = qobject_cast<QMenu*>(top); menu && menu->isVisible()) menu->hide();
    Settle();
}

int AllWindowsTest::Shows() const {
    return static_cast<int>(ui.shown.size() + dialogs.shown.size()) + static_cast<int>(desktop.opened.size()) +
           browses + menus + confirmations;
}
