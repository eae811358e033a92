#include "shell/ui/StandInWindows.h"

#include "foundation/CommonTexts.h"
#include "foundation/Errors.h"
#include "foundation/ResourceStrings.h"
#include "foundation/SettingsStore.h"
#include "foundation/Twips.h"
#include "shell/edit/ui/EditCommands.h"
#include "shell/menus/ui/Menus.h"
#include "shell/ui/Launcher.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QStandardItemModel>
#include <QTextEdit>
#include <QTreeView>

namespace {
constexpr double kBodyTop = 840;  // under the menu row, twips
constexpr double kMargin = 120;
}  // namespace

const std::vector<StandInDesign>& StandInDesigns() {
    static const std::vector<StandInDesign> designs = [] {
        std::vector<StandInDesign> d;
        auto add = [&](const QString& name, int32_t caption, int topic, int page) {
            StandInDesign s;
            s.name = name;
            s.captionCode = caption;
            s.helpTopic = topic;
            s.optionsPage = page;
            d.push_back(s);
            return &d.back();
        };
        StandInDesign* s = add(WindowNames::Coordinator, TextId::Launcher::Coordinator, 2, 2);
        s->fileOpen = s->fileSave = true;
        s->editControl = QStringLiteral("ListViewSimResults");
        s->editColumns = {QStringLiteral("Old File Name"), QStringLiteral("Folder"), QStringLiteral("Track"),
                          QStringLiteral("Album"),         QStringLiteral("Artist"), QStringLiteral("Title"),
                          QStringLiteral("New File Name"), QStringLiteral("Action")};
        s->minHeight = 5460;
        return d;
    }();
    return designs;
}

StandInWindow::StandInWindow(StandInDesign design, QWidget* parent)
    : SkinnedJobWindow(design.name, Features{design.menuBar, true}, parent), m_design(std::move(design)) {
    setWindowRole(objectName());
    if (!m_design.editControl.isEmpty()) {
        if (m_design.editIsText) {
            auto* text = new QTextEdit(this);
            text->setReadOnly(true);
            m_editControl = text;
        } else {
            auto* list = new QTreeView(this);
            auto* model = new QStandardItemModel(list);
            list->setModel(model);
            list->setRootIsDecorated(false);
            list->setSelectionMode(QAbstractItemView::ExtendedSelection);
            list->setSelectionBehavior(QAbstractItemView::SelectRows);
            if (m_design.editColumns.isEmpty()) {
                list->header()->hide();
            } else {
                // The columns of a list file, so one can be opened into it.
                model->setHorizontalHeaderLabels(m_design.editColumns);
                list->setProperty("Checkboxes", true);
            }
            m_editControl = list;
        }
        m_editControl->setObjectName(m_design.editControl);
    }

    if (m_design.menuBar) {
        mnuFileRoot = new QMenu(this);
        mnuFileRoot->setObjectName(QStringLiteral("mnuFileRoot"));
        if (m_design.fileOpen) {
            mnuFileOpen = mnuFileRoot->addAction(QString());
            mnuFileOpen->setObjectName(QStringLiteral("mnuFileOpen"));
            mnuFileOpen->setShortcutVisibleInContextMenu(true);
            connect(mnuFileOpen, &QAction::triggered, this, [this] { ResumeNext([&] { mnuFileOpen_Click(); }); });
        }
        if (m_design.fileSave) {
            mnuFileSave = mnuFileRoot->addAction(QString());
            mnuFileSave->setObjectName(QStringLiteral("mnuFileSave"));
            connect(mnuFileSave, &QAction::triggered, this, [this] { ResumeNext([&] { mnuFileSave_Click(); }); });
        }
        if (mnuFileOpen || mnuFileSave) mnuFileRoot->addSeparator();
        mnuFileExit = mnuFileRoot->addAction(QString());
        mnuFileExit->setObjectName(QStringLiteral("mnuFileExit"));
        connect(mnuFileExit, &QAction::triggered, this, [this] { ResumeNext([&] { mnuFileExit_Click(); }); });
        SetLabelMenuPopup(0, mnuFileRoot);
        mnuActionsRoot = new QMenu(this);
        mnuActionsRoot->setObjectName(QStringLiteral("mnuActionsRoot"));
        SetLabelMenuPopup(3, mnuActionsRoot);
        ConnectSharedMenus(this, [this] { return m_design.optionsPage; });
    }

    SetMinimumSizeTwips(m_design.minHeight, m_design.minWidth);
    if (m_design.fixedSize) setFixedSize(TwipsToPixelsX(m_design.minWidth), TwipsToPixelsY(m_design.minHeight));
    else resize(TwipsToPixelsX(m_design.minWidth), TwipsToPixelsY(m_design.minHeight));
    LoadWindow(m_design.coreTool);
    if (LabelStatusBar) LabelStatusBar->setText(QStringLiteral("Ready"));
    LayoutControls();
}

void StandInWindow::InitialiseDialogText() {
    WithTrail(QStringLiteral("InitialiseDialogText"), [&] {
        SetCaption(GetResourceString(m_design.captionCode));
        // A window without the shared menus sets its title-bar tool tips itself.
        if (!m_design.coreTool) UpdateSystemMenuToolTips(this);
        if (mnuFileOpen) mnuFileOpen->setText(GetResourceString(TextId::Menu::Open) + QStringLiteral("\tCtrl+O"));
        if (mnuFileSave) mnuFileSave->setText(GetResourceString(TextId::Menu::Save) + QStringLiteral("\tCtrl+S"));
        if (mnuFileExit) mnuFileExit->setText(GetResourceString(TextId::Menu::Exit) + QStringLiteral("\tCtrl+Q"));
    });
}

void StandInWindow::EnableControls(bool blnEnable) {
    if (m_editControl) m_editControl->setEnabled(blnEnable);
    if (m_design.menuBar) EnableMenus(this, blnEnable);
}

void StandInWindow::LabelMenu_Click(int Index) {
    // The Actions menu is empty: nothing to set before it pops up.
    LabelMenuClick(this, Index, m_editControl, [] {});
}

void StandInWindow::mnuEdit_Click(int Index) {
    try {
        EditMenuItemSelect(Index, m_editControl);
    } catch (...) {
        DisplayErrorMessage();
    }
}

void StandInWindow::mnuFileExit_Click() { FileExitClick(this); }

void StandInWindow::mnuFileOpen_Click() {
    if (LabelStatusBar) LabelStatusBar->setText(QStringLiteral("Opening files is not available yet."));
}

void StandInWindow::mnuFileSave_Click() {
    if (LabelStatusBar) LabelStatusBar->setText(QStringLiteral("Saving is not available yet."));
}

void StandInWindow::LayoutControls() {
    SkinnedJobWindow::LayoutControls();
    if (!m_editControl) return;
    const int left = TwipsToPixelsX(kMargin);
    const int top = TwipsToPixelsY(kBodyTop);
    const int bottom = LabelStatusBar ? LabelStatusBar->y() - TwipsToPixelsY(60) : height() - left;
    m_editControl->setGeometry(left, top, std::max(0, width() - 2 * left), std::max(0, bottom - top));
}

// ---- factories -----------------------------------------------------------------

void RegisterStandInWindows() {
    for (const StandInDesign& design : StandInDesigns()) {
        if (!WindowRegistry::HasFactory(design.name))
            WindowRegistry::SetFactory(design.name, [design] { return new StandInWindow(design); });
    }
    if (!WindowRegistry::HasFactory(WindowNames::Integrator))
        WindowRegistry::SetFactory(WindowNames::Integrator, [] { return new FormIntegrator(); });
}
