#include "coordinator/ui/ApplyChangesDialog.h"

#include "coordinator/ui/FileNameTagCoordinator.h"
#include "foundation/Errors.h"
#include "foundation/Help.h"
#include "foundation/MessageUi.h"
#include "foundation/OptionRecords.h"
#include "foundation/ResourceStrings.h"
#include "foundation/Twips.h"
#include "shell/menus/ui/KeyRouter.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace {

constexpr int16_t kHelpTopic = 2;
constexpr double kLeft = 120, kRowWidth = 5772, kButtonWidth = 1215, kButtonHeight = 375;
constexpr double kWidth = 6252;  // the label's right edge and its margin

ApplyChangesAnswer& TestAnswer() {
    static ApplyChangesAnswer answer;
    return answer;
}

QRect Twips(double left, double top, double width, double height) {
    return {TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width), TwipsToPixelsY(height)};
}

}  // namespace

DialogApplyChanges::DialogApplyChanges(FormFileNameTagCoordinator& coordinator, int deleteRows, QWidget* parent)
    : QDialog(parent), m_coordinator(coordinator) {
    setObjectName(QStringLiteral("DialogApplyChanges"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    LabelInfo = new QLabel(this);
    LabelInfo->setObjectName(QStringLiteral("LabelInfo"));
    LabelInfo->setWordWrap(true);
    LabelInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LabelInfo->setGeometry(Twips(120, 120, 5892, 612));
    for (int i = 0; i < ConfirmRow::Count; ++i) {
        auto* box = new QCheckBox(this);
        box->setObjectName(QStringLiteral("CheckChange%1").arg(i));
        box->setChecked(true);
        box->hide();
        connect(box, &QCheckBox::clicked, this, [this, i] { ResumeNext([&] { CheckChange_Click(i); }); });
        CheckChange[size_t(i)] = box;
    }
    OKButton = new QPushButton(this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    connect(OKButton, &QPushButton::clicked, this, [this] { ResumeNext([&] { OKButton_Click(); }); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { ResumeNext([&] { CancelButton_Click(); }); });

    // Texts, then the rows that apply, then the height they need.
    ResumeNext([&] {
        setWindowTitle(GetResourceString(TextId::ApplyChanges::Caption));
        LabelInfo->setText(GetResourceString(TextId::ApplyChanges::AboutToApply));
        OKButton->setText(GetResourceString(TextId::Common::OK));
        CancelButton->setText(GetResourceString(TextId::Common::Cancel));
        for (QCheckBox* box : CheckChange) box->setToolTip(GetResourceString(TextId::ApplyChanges::UncheckChangeTip));
    });
    ResumeNext([&] {
        ApplyConfirmationInput input;
        input.overrides = MassTagging().values();
        input.changeFileName = m_coordinator.mcheckChangeFileName.Value() == 1;
        input.changeID3v1Tag = m_coordinator.mcheckChangeID3v1Tag.Value() == 1;
        input.changeID3v2Tag = m_coordinator.mcheckChangeID3v2Tag.Value() == 1;
        input.deleteRows = deleteRows;
        input.useRecycleBin = Options().Preferences.blnUseRecycleBin;
        m_rows = ApplyConfirmationRows(input);
        for (const ConfirmationRow& row : m_rows) {
            QCheckBox* box = CheckChange[size_t(row.index)];
            box->setText(row.caption);
            box->setGeometry(Twips(kLeft, row.top, kRowWidth, row.height));
            box->show();
        }
    });
    ResumeNext([&] {
        // The rows keep their places; the dialog is as wide as its longest
        // caption needs in the font in use (never narrower than designed).
        int width = TwipsToPixelsX(kWidth);
        const int left = TwipsToPixelsX(kLeft);
        for (const ConfirmationRow& row : m_rows)
            width = std::max(width, left * 2 + CheckChange[size_t(row.index)]->sizeHint().width());
        for (const ConfirmationRow& row : m_rows) {
            QCheckBox* box = CheckChange[size_t(row.index)];
            box->resize(width - 2 * left, box->height());
        }
        const int labelHeight = std::max(TwipsToPixelsY(612), LabelInfo->heightForWidth(width - 2 * left));
        LabelInfo->resize(width - 2 * left, labelHeight);
        // Rows move down as far as the instruction grew.
        const int shift = labelHeight - TwipsToPixelsY(612);
        for (const ConfirmationRow& row : m_rows) CheckChange[size_t(row.index)]->move(left, TwipsToPixelsY(row.top) + shift);
        const double height = m_rows.empty() ? 1800 : ApplyConfirmationHeight(m_rows);
        const int pixelHeight = TwipsToPixelsY(height) + shift;
        setFixedSize(width, pixelHeight);
        const int buttonTop = pixelHeight - TwipsToPixelsY(792);
        const int buttonWidth = TwipsToPixelsX(kButtonWidth);
        CancelButton->setGeometry(width - left - buttonWidth, buttonTop, buttonWidth, TwipsToPixelsY(kButtonHeight));
        OKButton->setGeometry(CancelButton->x() - TwipsToPixelsX(105) - buttonWidth, buttonTop, buttonWidth,
                              TwipsToPixelsY(kButtonHeight));
    });
    for (QWidget* control : findChildren<QWidget*>()) control->installEventFilter(this);
    installEventFilter(this);
}

void DialogApplyChanges::CheckChange_Click(int index) {
    const bool ticked = CheckChange[size_t(index)]->isChecked();
    MassTaggingModel& overrides = MassTagging();
    if (index < ConfirmRow::FirstID3v2) {
        overrides.setID3v1Checked(index - ConfirmRow::FirstID3v1, ticked);
    } else if (index < ConfirmRow::FileName) {
        overrides.setID3v2Checked(index - ConfirmRow::FirstID3v2, ticked);
    } else if (index <= ConfirmRow::ID3v2Table) {
        clsCheckBox& target = index == ConfirmRow::FileName     ? m_coordinator.mcheckChangeFileName
                              : index == ConfirmRow::ID3v1Table ? m_coordinator.mcheckChangeID3v1Tag
                                                                : m_coordinator.mcheckChangeID3v2Tag;
        target.SetValue(ticked ? 1 : 0);
        m_coordinator.UpdateSkinControls();
    } else if (index == ConfirmRow::RemoveID3v1) {
        overrides.setID3v1Remove(ticked);
    } else if (index == ConfirmRow::RemoveID3v2) {
        overrides.setID3v2Remove(ticked);
    } else if (index == ConfirmRow::DeleteFiles) {
        m_deleteFiles = ticked;
    }
    bool any = false;
    for (const ConfirmationRow& row : m_rows) any = any || CheckChange[size_t(row.index)]->isChecked();
    OKButton->setEnabled(any);
}

void DialogApplyChanges::OKButton_Click() {
    m_coordinator.mblnApplyChanges = true;
    accept();
}

void DialogApplyChanges::CancelButton_Click() {
    m_coordinator.mblnApplyChanges = false;
    reject();
}

bool DialogApplyChanges::eventFilter(QObject* watched, QEvent* event) {
    // A key counts once, where it arrived.
    QWidget* first = focusWidget() ? focusWidget() : this;
    if (event->type() == QEvent::KeyPress && watched == first) {
        auto* key = static_cast<QKeyEvent*>(event);
        ResumeNext([&] { DisplayHelpTopic(kHelpTopic, static_cast<int16_t>(PlatformKeyCode(key->key()))); });
    }
    return QDialog::eventFilter(watched, event);
}

bool ConfirmApplyChanges(FormFileNameTagCoordinator& coordinator, int deleteRows, bool& deleteFiles) {
    coordinator.mblnApplyChanges = false;
    DialogApplyChanges dialog(coordinator, deleteRows, &coordinator);
    if (!dialog.HasRows()) {
        MsgBox(GetResourceString(TextId::ApplyChanges::NoChangesSpecifiedText), Mb::OKOnly | Mb::Exclamation,
               GetResourceString(TextId::ApplyChanges::NoChangesSpecified));
        return false;
    }
    if (TestAnswer())
        TestAnswer()(dialog);
    else
        dialog.exec();
    deleteFiles = dialog.DeleteFiles();
    return coordinator.mblnApplyChanges;
}

void SetApplyChangesAnswerForTesting(ApplyChangesAnswer answer) { TestAnswer() = std::move(answer); }
