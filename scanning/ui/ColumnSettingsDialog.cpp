#include "scanning/ui/ColumnSettingsDialog.h"

#include "foundation/Errors.h"
#include "foundation/Help.h"
#include "foundation/ResourceStrings.h"
#include "foundation/ui/ListColumns.h"
#include "options/ControlSettings.h"
#include "foundation/Twips.h"
#include "shell/ui/ControlUtils.h"

#include <QAbstractItemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

DialogColumnSettings::DialogColumnSettings(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DialogColumnSettings"));
    setModal(true);

    LabelInfo = new QLabel(this);
    LabelInfo->setObjectName(QStringLiteral("LabelInfo"));
    LabelInfo->setWordWrap(true);

    ListViewColumns = new QTreeWidget(this);
    ListViewColumns->setObjectName(QStringLiteral("ListViewColumns"));
    ListViewColumns->setColumnCount(1);
    ListViewColumns->setHeaderHidden(true);
    ListViewColumns->setRootIsDecorated(false);
    ListViewColumns->setUniformRowHeights(true);
    ListViewColumns->setSelectionMode(QAbstractItemView::SingleSelection);

    BtnShow = new QPushButton(this);
    BtnShow->setObjectName(QStringLiteral("BtnShow"));
    BtnHide = new QPushButton(this);
    BtnHide->setObjectName(QStringLiteral("BtnHide"));

    LabelTheselectedcolumnshouldbe = new QLabel(this);
    LabelTheselectedcolumnshouldbe->setObjectName(QStringLiteral("LabelTheselectedcolumnshouldbe"));
    TextColumnWidth = new QLineEdit(this);
    TextColumnWidth->setObjectName(QStringLiteral("TextColumnWidth"));
    TextColumnWidth->setMaximumWidth(60);
    Labelpixelswide = new QLabel(this);
    Labelpixelswide->setObjectName(QStringLiteral("Labelpixelswide"));
    Labelpixelswide->setBuddy(TextColumnWidth);

    OKButton = new QPushButton(this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));

    auto* side = new QVBoxLayout;
    side->addWidget(BtnShow);
    side->addWidget(BtnHide);
    side->addStretch(1);
    side->addWidget(OKButton);
    side->addWidget(CancelButton);

    auto* widthRow = new QHBoxLayout;
    widthRow->addWidget(LabelTheselectedcolumnshouldbe);
    widthRow->addWidget(TextColumnWidth);
    widthRow->addWidget(Labelpixelswide);
    widthRow->addStretch(1);

    auto* grid = new QGridLayout(this);
    grid->addWidget(LabelInfo, 0, 0, 1, 2);
    grid->addWidget(ListViewColumns, 1, 0);
    grid->addLayout(side, 1, 1);
    grid->addLayout(widthRow, 2, 0, 1, 2);
    resize(420, 420);

    connect(ListViewColumns, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem*, int) {
        if (m_filling) return;
        ResumeNext([&] { UpdateControls(); });
    });
    connect(ListViewColumns, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem*, QTreeWidgetItem*) {
        if (m_filling) return;
        ResumeNext([&] { UpdateControls(); });
    });
    connect(ListViewColumns, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem*, int) {
        if (m_filling) return;
        ResumeNext([&] { UpdateControls(); });
    });
    connect(BtnShow, &QPushButton::clicked, this, [this] { ResumeNext([&] { BtnShow_Click(); }); });
    connect(BtnHide, &QPushButton::clicked, this, [this] { ResumeNext([&] { BtnHide_Click(); }); });
    connect(OKButton, &QPushButton::clicked, this, [this] { ResumeNext([&] { OKButton_Click(); }); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { ResumeNext([&] { CancelButton_Click(); }); });
    connect(TextColumnWidth, &QLineEdit::textChanged, this, [this] { ResumeNext([&] { TextColumnWidth_Change(); }); });

    for (QWidget* control : findChildren<QWidget*>()) control->installEventFilter(this);

    ResumeNext([&] { InitialiseDialogText(); });
}

void DialogColumnSettings::InitialiseDialogText() {
    WithTrail(QStringLiteral("InitialiseDialogText"), [&] {
        setWindowTitle(GetResourceString(TextId::ColumnSettings::Caption));
        BtnShow->setText(GetResourceString(TextId::ColumnSettings::Show));
        BtnHide->setText(GetResourceString(TextId::ColumnSettings::Hide));
        LabelTheselectedcolumnshouldbe->setText(GetResourceString(TextId::ColumnSettings::ColumnShouldBe));
        Labelpixelswide->setText(GetResourceString(TextId::ColumnSettings::PixelsWide));
        LabelInfo->setText(GetResourceString(TextId::ColumnSettings::CheckColumnsToShow));
        OKButton->setText(GetResourceString(TextId::Common::OK));
        CancelButton->setText(GetResourceString(TextId::Common::Cancel));
    });
}

void DialogColumnSettings::InitiateDialog(QTreeView* list) {
    try {
        mlvwColumns = list;
        m_filling = true;
        ListViewColumns->clear();
        msngColumnWidths.clear();
        const QAbstractItemModel* model = list ? list->model() : nullptr;
        const int count = model ? model->columnCount() : 0;
        if (count == 0) {
            m_filling = false;
            UpdateControls();
            return;
        }
        msngColumnWidths.resize(static_cast<size_t>(count));
        for (int c = 0; c < count; ++c) {
            auto* item = new QTreeWidgetItem(ListViewColumns);
            item->setText(0, model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            if (ColumnCountsAsHidden(list, c)) {
                item->setCheckState(0, Qt::Unchecked);
                msngColumnWidths[static_cast<size_t>(c)] = static_cast<float>(ListColumnSettings::StoredWidth(list->objectName(), c));
            } else {
                item->setCheckState(0, Qt::Checked);
                msngColumnWidths[static_cast<size_t>(c)] = static_cast<float>(ColumnWidthTwips(list, c));
            }
        }
        ListViewColumns->setCurrentItem(ListViewColumns->topLevelItem(0));
        m_filling = false;
        UpdateControls();
    } catch (...) {
        m_filling = false;
        DisplayErrorMessage();
    }
}

int DialogColumnSettings::SelectedRow() const {
    QTreeWidgetItem* item = ListViewColumns->currentItem();
    return item ? ListViewColumns->indexOfTopLevelItem(item) : -1;
}

void DialogColumnSettings::UpdateControls() {
    WithTrail(QStringLiteral("UpdateControls"), [&] {
        const int row = SelectedRow();
        if (row < 0 || static_cast<size_t>(row) >= msngColumnWidths.size()) {
            BtnShow->setEnabled(false);
            BtnHide->setEnabled(false);
            return;
        }
        const bool ticked = ListViewColumns->topLevelItem(row)->checkState(0) == Qt::Checked;
        BtnShow->setEnabled(!ticked);
        BtnHide->setEnabled(ticked);
        const double pixels = std::floor(msngColumnWidths[static_cast<size_t>(row)] / gsngTwipsPerPixelX);
        TextColumnWidth->setText(QString::number(static_cast<long long>(pixels)));
    });
}

void DialogColumnSettings::TextColumnWidth_Change() {
    EnsureNumericTextBox(TextColumnWidth, false, false, false);
    const int row = SelectedRow();
    if (row < 0 || static_cast<size_t>(row) >= msngColumnWidths.size()) return;
    bool ok = false;
    const double value = TextColumnWidth->text().toDouble(&ok);
    if (ok && value > 0) msngColumnWidths[static_cast<size_t>(row)] = static_cast<float>(value * gsngTwipsPerPixelX);
}

void DialogColumnSettings::BtnShow_Click() {
    if (QTreeWidgetItem* item = ListViewColumns->currentItem()) item->setCheckState(0, Qt::Checked);
    UpdateControls();
}

void DialogColumnSettings::BtnHide_Click() {
    if (QTreeWidgetItem* item = ListViewColumns->currentItem()) item->setCheckState(0, Qt::Unchecked);
    UpdateControls();
}

void DialogColumnSettings::OKButton_Click() {
    if (QTreeView* list = mlvwColumns.data(); list && list->model()) {
        const bool checkboxes = ListHasCheckboxes(list);
        const int count = std::min(list->model()->columnCount(), ListViewColumns->topLevelItemCount());
        for (int c = 0; c < count; ++c) {
            const bool shown = ListViewColumns->topLevelItem(c)->checkState(0) == Qt::Checked;
            const bool checkColumn = checkboxes && c == 0;
            double width = 0;
            if (shown) {
                width = c < static_cast<int>(msngColumnWidths.size()) ? msngColumnWidths[static_cast<size_t>(c)] : 0;
                if (checkColumn) width = std::max(width, kCheckBoxColumnTwips);
            } else if (checkColumn) {
                // The boxes stay, so the rows can still be ticked.
                width = kCheckBoxColumnTwips;
            }
            ResumeNext([&] { SetColumnWidthTwips(list, c, width); });
        }
    }
    accept();
}

void DialogColumnSettings::CancelButton_Click() { reject(); }

bool DialogColumnSettings::eventFilter(QObject* watched, QEvent* event) {
    // Every control passes its keys to the help: F1 opens the start page.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        DisplayHelpTopic(0, HelpKeyF1);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void DialogColumnSettings::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) DisplayHelpTopic(0, HelpKeyF1);
    QDialog::keyPressEvent(event);
}
