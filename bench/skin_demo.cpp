// A skinned demo window: every piece of the skinned look on one window (title
// bar, menu-bar labels, picture buttons, check box, option buttons, text and
// combo boxes, a splitter between a tree and a list, the status line).
//
//   skin_demo [--scheme NAME] [--no-skins] [--maximised] [--screenshot FILE] [--delay MS]
//
// With --screenshot it saves the screen area of the window as a PNG and quits
// (scripts/screenshot-skin.sh runs it under Xvfb).

#include "foundation/CommonTexts.h"
#include "foundation/Errors.h"
#include "foundation/LongJob.h"
#include "foundation/OptionRecords.h"
#include "foundation/ResourceStrings.h"
#include "foundation/Twips.h"
#include "foundation/ui/QtMessageUi.h"
#include "shell/ui/ControlUtils.h"
#include "shell/ui/SkinnedControls.h"
#include "shell/ui/SkinnedWindow.h"
#include "shell/ui/Splitter.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCommandLineParser>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <cstdio>

namespace {

QRect Tw(double left, double top, double width, double height) {
    return QRect(TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width), TwipsToPixelsY(height));
}

class DemoWindow : public SkinnedJobWindow {
public:
    DemoWindow() : SkinnedJobWindow(QStringLiteral("FormSkinDemo")) {
        SetMinimumSizeTwips(5280, 8000);
        resize(TwipsToPixelsX(11400), TwipsToPixelsY(7200));

        auto makeButton = [this](clsButton& wrapper, const QString& caption, double left, double top) {
            auto* standard = new QPushButton(caption, this);
            standard->setGeometry(Tw(left, top, 1440, 390));
            standard->hide();
            auto* picture = new SkinImage(this);
            picture->setGeometry(Tw(left, top, 1440, 390));
            SetControlTag(picture, QStringLiteral("Button"));
            auto* label = new SkinLabel(caption, this);
            label->setAlignment(Qt::AlignCenter);
            label->resize(TwipsToPixelsX(1380), TwipsToPixelsY(240));
            SetControlTag(label, QStringLiteral("Button"));
            wrapper.SetControls(this, standard, picture, label);
            wrapper.SetTop(static_cast<float>(top));
            wrapper.SetLeft(static_cast<float>(left));
            wrapper.SetVisible(true);
            wrapper.SetEnabled(true);
        };
        makeButton(mbuttonScan, QStringLiteral("&Scan"), 240, 840);
        makeButton(mbuttonStop, QStringLiteral("S&top"), 1800, 840);

        auto* check = new QCheckBox(QStringLiteral("&Include Subfolders"), this);
        check->setGeometry(Tw(3480, 870, 2400, 300));
        check->hide();
        auto* checkPicture = new SkinImage(this);
        checkPicture->SetStretch(false);
        checkPicture->move(TwipsToPixelsX(3480), TwipsToPixelsY(945));
        SetControlTag(checkPicture, QStringLiteral("Check"));
        auto* checkLabel = new SkinLabel(QStringLiteral("&Include Subfolders"), this);
        checkLabel->adjustSize();
        checkLabel->move(TwipsToPixelsX(3480) + 20, TwipsToPixelsY(915));
        mcheckIncSubfolders.SetControls(this, check, checkPicture, checkLabel);
        mcheckIncSubfolders.SetVisible(true);
        RouteCheckBoxEvents(mcheckIncSubfolders);

        auto* caption = new SkinLabel(QStringLiteral("Show:"), this);
        SetControlTag(caption, QStringLiteral("SkinLabel"));
        caption->adjustSize();
        caption->move(TwipsToPixelsX(6000), TwipsToPixelsY(915));
        const QString names[] = {QStringLiteral("T&itle Info"), QStringLiteral("&File Info")};
        for (int i = 0; i < 2; ++i) {
            const double left = 6750 + i * 1800;
            auto* radio = new QRadioButton(names[i], this);
            radio->setProperty("Index", i);
            radio->setGeometry(Tw(left, 870, 1700, 300));
            radio->hide();
            auto* picture = new SkinImage(this);
            picture->SetStretch(false);
            picture->move(TwipsToPixelsX(left), TwipsToPixelsY(945));
            SetControlTag(picture, QStringLiteral("Option"));
            auto* label = new SkinLabel(names[i], this);
            SetControlTag(label, QStringLiteral("SkinLabel"));
            label->adjustSize();
            label->move(TwipsToPixelsX(left) + 20, TwipsToPixelsY(915));
            moption[i].SetControls(this, radio, picture, label);
            moption[i].SetVisible(true);
        }
        RouteOptionGroup({&moption[0], &moption[1]}, {});

        TextFilter = new QLineEdit(QStringLiteral("*.mp3"), this);
        TextFilter->setObjectName(QStringLiteral("TextFilter"));
        ComboRules = new QComboBox(this);
        ComboRules->setObjectName(QStringLiteral("ComboScanRules"));
        ComboRules->addItems({QStringLiteral("Only include files containing \"Live\""),
                              QStringLiteral("Don't include files equal to \"Intro\"")});

        TreeFolders = new QTreeView(this);
        TreeFolders->setObjectName(QStringLiteral("TreeViewFolders"));
        auto* folders = new QStandardItemModel(TreeFolders);
        folders->setHorizontalHeaderLabels({QStringLiteral("Folders")});
        auto* desktop = new QStandardItem(QStringLiteral("Desktop"));
        for (const char* name : {"Albums", "Compilations", "Live", "Singles"}) {
            auto* item = new QStandardItem(QString::fromLatin1(name));
            item->appendRow(new QStandardItem(QStringLiteral("2019")));
            desktop->appendRow(item);
        }
        folders->appendRow(desktop);
        TreeFolders->setModel(folders);
        TreeFolders->expandToDepth(0);

        ListResults = new QTreeView(this);
        ListResults->setObjectName(QStringLiteral("ListViewScanResults"));
        ListResults->setRootIsDecorated(false);
        auto* rows = new QStandardItemModel(ListResults);
        rows->setHorizontalHeaderLabels(
            {QStringLiteral("File Name"), QStringLiteral("Artist"), QStringLiteral("Title"), QStringLiteral("Length")});
        const char* const data[][4] = {{"01 - Opening.mp3", "The Lanterns", "Opening", "3:12"},
                                       {"02 - Harbour Lights.mp3", "The Lanterns", "Harbour Lights", "4:05"},
                                       {"03 - Paper Boats.mp3", "The Lanterns", "Paper Boats", "2:58"},
                                       {"04 - North Road.mp3", "Mirela Kost", "North Road", "5:21"},
                                       {"05 - Slow Tide.mp3", "Mirela Kost", "Slow Tide", "3:44"}};
        for (const auto& row : data) {
            QList<QStandardItem*> items;
            for (const char* cell : row) items.append(new QStandardItem(QString::fromUtf8(cell)));
            items[0]->setCheckable(true);
            items[0]->setCheckState(Qt::Checked);
            rows->appendRow(items);
        }
        ListResults->setModel(rows);
        ListResults->setColumnWidth(0, 180);

        SplitterMain = new Splitter(this);
        SplitterMain->setObjectName(QStringLiteral("SplitterMain"));
        SplitterMain->SetSplitterWidth(60);
        SplitterMain->SetSplitterMinPos(1500);

        LoadWindow(true);
        SetCaption(QStringLiteral("Sonivard Skin Demo"));
        LabelStatusBar->setText(QStringLiteral("5 files scanned in 0.2 seconds."));
        ProgBar->setValue(60);
        mcheckIncSubfolders.SetValue(1);
        moption[0].SetValue(true);
        moption[1].SetValue(false);
    }

    void EnableControls(bool enable) override {
        mbuttonScan.SetEnabled(enable);
        mbuttonStop.SetEnabled(!enable);
    }

protected:
    void LayoutControls() override {
        SkinnedJobWindow::LayoutControls();
        if (!SplitterMain) return;
        const int top = TwipsToPixelsY(1500);
        const int bottom = LabelStatusBar->y() - TwipsToPixelsY(120);
        const int left = TwipsToPixelsX(240);
        TextFilter->setGeometry(left, top, TwipsToPixelsX(1800), TwipsToPixelsY(315));
        ComboRules->setGeometry(left + TwipsToPixelsX(1920), top, TwipsToPixelsX(4200), TwipsToPixelsY(315));
        const int paneTop = top + TwipsToPixelsY(435);
        const int paneHeight = std::max(0, bottom - paneTop);
        TreeFolders->move(left, paneTop);
        TreeFolders->resize(TreeFolders->width(), paneHeight);
        ListResults->resize(ListResults->width(), paneHeight);
        SplitterMain->setGeometry(left, paneTop, width() - 2 * left, paneHeight);
        if (!SplitterMain->Child1()) {
            SplitterMain->SetChild1(TreeFolders);
            SplitterMain->SetChild2(ListResults);
            SplitterMain->SetSplitPercent(30);
        }
    }

private:
    clsButton mbuttonScan, mbuttonStop;
    clsCheckBox mcheckIncSubfolders;
    clsOption moption[2];
    QLineEdit* TextFilter = nullptr;
    QComboBox* ComboRules = nullptr;
    QTreeView* TreeFolders = nullptr;
    QTreeView* ListResults = nullptr;
    Splitter* SplitterMain = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sonivard"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("scheme"), QStringLiteral("Skin scheme."), QStringLiteral("name"),
                      QStringLiteral("Fun Blue")});
    parser.addOption({QStringLiteral("no-skins"), QStringLiteral("Plain windows.")});
    parser.addOption({QStringLiteral("maximised"), QStringLiteral("Start maximised.")});
    parser.addOption({QStringLiteral("screenshot"), QStringLiteral("Save a PNG and quit."), QStringLiteral("file")});
    parser.addOption({QStringLiteral("delay"), QStringLiteral("Milliseconds before the screenshot."),
                      QStringLiteral("ms"), QStringLiteral("800")});
    parser.process(app);

    // Settings go to a scratch folder: the demo never touches the user's.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    InitialiseTwipsPerPixel();
    QtMessageUi messageUi;
    SetMessageUi(&messageUi);
    Options().Preferences.blnUseSkins = !parser.isSet(QStringLiteral("no-skins"));
    Options().Preferences.strSkinScheme = parser.value(QStringLiteral("scheme"));

    auto* window = new DemoWindow;
    window->move(40, 40);
    if (parser.isSet(QStringLiteral("maximised"))) window->showMaximized();

    if (parser.isSet(QStringLiteral("screenshot"))) {
        const QString file = parser.value(QStringLiteral("screenshot"));
        QTimer::singleShot(parser.value(QStringLiteral("delay")).toInt(), [window, file] {
            QScreen* screen = window->screen();
            const QRect area = window->frameGeometry().adjusted(-12, -12, 12, 12);
            const QPixmap shot = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
            const bool ok = shot.save(file, "PNG");
            std::fprintf(stderr, "%s %s (%dx%d)\n", ok ? "saved" : "could not save", qPrintable(file),
                         shot.width(), shot.height());
            QApplication::exit(ok ? 0 : 1);
        });
    }
    const int rc = QApplication::exec();
    SetMessageUi(nullptr);
    return rc;
}
