#include "playlists/ui/AutoTidyResultsDialog.h"

#include "foundation/Errors.h"
#include "foundation/Help.h"
#include "foundation/ResourceStrings.h"
#include "foundation/Twips.h"

#include <QAbstractTableModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <vector>

namespace {

// The dialog's smallest width, in twips.
constexpr double kMinWidth = 4800;

std::function<void(DialogAutoTidyResults&)>& Driver() {
    static std::function<void(DialogAutoTidyResults&)> driver;
    return driver;
}

// Rows of texts under fixed column captions.
class TextRowsModel final : public QAbstractTableModel {
public:
    TextRowsModel(QStringList captions, std::vector<QStringList> rows, QObject* parent)
        : QAbstractTableModel(parent), m_captions(std::move(captions)), m_rows(std::move(rows)) {}
    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : int(m_rows.size()); }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : int(m_captions.size()); }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
        return m_rows[size_t(index.row())].value(index.column());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
        return m_captions.value(section);
    }

private:
    QStringList m_captions;
    std::vector<QStringList> m_rows;
};

QTreeView* MakeList(QWidget* parent, const char* name, QAbstractItemModel* model) {
    auto* list = new QTreeView(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->header()->setStretchLastSection(false);
    list->setModel(model);
    model->setParent(list);
    return list;
}

}  // namespace

void SetAutoTidyResultsDialogDriver(std::function<void(DialogAutoTidyResults&)> driver) {
    Driver() = std::move(driver);
}

DialogAutoTidyResults::DialogAutoTidyResults(const AutoTidyReport& report, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DialogAutoTidyResults"));
    setModal(true);
    std::vector<QStringList> found, unfound;
    found.reserve(report.found.size());
    for (const AutoTidyFound& row : report.found) found.push_back({row.title, row.name, row.folder});
    unfound.reserve(report.unfound.size());
    for (const AutoTidyUnfound& row : report.unfound) unfound.push_back({row.title, row.fileName});

    LabelFound = new QLabel(this);
    LabelFound->setObjectName(QStringLiteral("LabelFound"));
    LabelFound->setWordWrap(true);
    ListViewFound = MakeList(this, "ListViewFound",
                             new TextRowsModel({QStringLiteral("Playlist Title"), QStringLiteral("File Name"),
                                                QStringLiteral("Path Found")},
                                               std::move(found), nullptr));
    LabelUnfound = new QLabel(this);
    LabelUnfound->setObjectName(QStringLiteral("LabelUnfound"));
    LabelUnfound->setWordWrap(true);
    ListViewUnfound = MakeList(
        this, "ListViewUnfound",
        new TextRowsModel({QStringLiteral("Playlist Title"), QStringLiteral("File Name")}, std::move(unfound), nullptr));
    OKButton = new QPushButton(this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabelFound);
    layout->addWidget(ListViewFound, 1);
    layout->addWidget(LabelUnfound);
    layout->addWidget(ListViewUnfound, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    layout->addLayout(buttons);
    resize(TwipsToPixelsX(7200), TwipsToPixelsY(5400));

    ResumeNext([&] { InitialiseDialogText(); });
    ResumeNext([&] { ResizeColumns(); });
}

void DialogAutoTidyResults::InitialiseDialogText() {
    WithTrail(QStringLiteral("InitialiseDialogText"), [&] {
        using namespace TextId::Playlist;
        setWindowTitle(GetResourceString(AutoTidyResults));
        LabelFound->setText(GetResourceString(FoundLabel));
        LabelUnfound->setText(GetResourceString(UnfoundLabel));
        OKButton->setText(GetResourceString(OK));
        // Never so narrow or low that the texts are cut: they wrap at the
        // smallest width, and the smallest height has room for them.
        const int width = TwipsToPixelsX(kMinWidth);
        layout()->activate();
        setMinimumSize(width, layout()->totalHeightForWidth(width));
    });
}

void DialogAutoTidyResults::ResizeColumns() {
    // The lists' widths less room for the scroll bar, shared out.
    const double found = PixelsToTwipsX(ListViewFound->viewport()->width() > 100 ? ListViewFound->viewport()->width()
                                                                                 : width() - 40) -
                         300;
    const double unfound = found;
    const double shares[] = {0.3, 0.2, 0.5};
    for (int c = 0; c < 3; ++c) ListViewFound->header()->resizeSection(c, TwipsToPixelsX(found * shares[c]));
    ListViewUnfound->header()->resizeSection(0, TwipsToPixelsX(unfound * 0.3));
    ListViewUnfound->header()->resizeSection(1, TwipsToPixelsX(unfound * 0.7));
}

void DialogAutoTidyResults::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) ResumeNext([&] { DisplayHelpTopic(5, 112); });
    QDialog::keyPressEvent(event);
}

void DialogAutoTidyResults::ShowModal() {
    if (Driver()) {
        QTimer::singleShot(0, this, [this] {
            Driver()(*this);
            if (isVisible()) accept();
        });
    }
    exec();
}
