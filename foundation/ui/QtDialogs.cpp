#include "foundation/ui/QtDialogs.h"

#include "foundation/SharedServices.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGridLayout>
#include <QLabel>
#include <QWidget>

#include <vector>

namespace {

const char* const kBackColor = "BackColor";

QWidget* parentOf(const CommonDialog& dialog) { return qobject_cast<QWidget*>(dialog.owner()); }

bool showFileDialog(bool save, CommonDialog& d) {
    QFileDialog dialog(parentOf(d), d.DialogTitle, d.InitDir);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    const QStringList filters = QtNameFilters(d.Filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        if (d.FilterIndex >= 1 && d.FilterIndex <= filters.size()) dialog.selectNameFilter(filters[d.FilterIndex - 1]);
    }
    const bool multi = !save && (d.Flags & Cdl::OFNAllowMultiselect);
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!(d.Flags & Cdl::OFNOverwritePrompt)) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(multi ? QFileDialog::ExistingFiles
                                 : (d.Flags & Cdl::OFNFileMustExist) ? QFileDialog::ExistingFile
                                                                     : QFileDialog::AnyFile);
    }
    if (!d.FileName.isEmpty()) dialog.selectFile(d.FileName);
    if (dialog.exec() != QDialog::Accepted) return false;

    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return false;
    if (multi && files.size() > 1) {
        // Several files: the folder, then each name, separated by NULs.
        QString joined = QFileInfo(files.first()).absolutePath();
        for (const QString& file : files) joined += QChar(0) + QFileInfo(file).fileName();
        d.FileName = joined;
    } else {
        d.FileName = files.first();
    }
    const qsizetype index = filters.indexOf(dialog.selectedNameFilter());
    if (index >= 0) d.FilterIndex = int(index) + 1;
    return true;
}

bool showColourDialog(CommonDialog& d) {
    const QColor initial = (d.Flags & Cdl::CCRGBInit) ? PaintColour(d.Color) : QColor(Qt::black);
    QColorDialog dialog(initial, parentOf(d));
    if (dialog.exec() != QDialog::Accepted) return false;
    d.Color = ColourValue(dialog.selectedColor());
    return true;
}

bool showFontDialog(CommonDialog& d) {
    QFont font(d.FontName);
    if (d.FontSize > 0) font.setPointSizeF(d.FontSize);
    font.setBold(d.FontBold);
    font.setItalic(d.FontItalic);
    font.setUnderline(d.FontUnderline);
    font.setStrikeOut(d.FontStrikethru);
    QFontDialog dialog(font, parentOf(d));
    if (dialog.exec() != QDialog::Accepted) return false;
    const QFont chosen = dialog.selectedFont();
    d.FontName = chosen.family();
    d.FontSize = chosen.pointSizeF();
    d.FontBold = chosen.bold();
    d.FontItalic = chosen.italic();
    d.FontUnderline = chosen.underline();
    d.FontStrikethru = chosen.strikeOut();
    return true;
}

}  // namespace

bool QtDialogUi::ShowDialog(CommonDialog::Kind kind, CommonDialog& dialog) {
    switch (kind) {
    case CommonDialog::Kind::Open: return showFileDialog(false, dialog);
    case CommonDialog::Kind::Save: return showFileDialog(true, dialog);
    case CommonDialog::Kind::Colour: return showColourDialog(dialog);
    case CommonDialog::Kind::Font: return showFontDialog(dialog);
    }
    return false;
}

QString ChooseFolder(QWidget* owner, const QString& prompt) {
    // Qt's own folder dialog: a native one has no room for the prompt.
    QFileDialog dialog(owner, prompt);
    dialog.setObjectName(QStringLiteral("DialogBrowseForFolder"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setFileMode(QFileDialog::Directory);
    // The prompt goes in a row of its own above the dialog's rows.
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
        struct Cell {
            QLayoutItem* item;
            int row, column, rows, columns;
        };
        std::vector<Cell> cells;
        for (int i = grid->count() - 1; i >= 0; --i) {
            Cell cell{nullptr, 0, 0, 0, 0};
            grid->getItemPosition(i, &cell.row, &cell.column, &cell.rows, &cell.columns);
            cell.item = grid->takeAt(i);
            cells.push_back(cell);
        }
        for (const Cell& cell : cells) grid->addItem(cell.item, cell.row + 1, cell.column, cell.rows, cell.columns);
        auto* label = new QLabel(prompt, &dialog);
        label->setObjectName(QStringLiteral("LabelPrompt"));
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        grid->addWidget(label, 0, 0, 1, grid->columnCount());
    }
    if (dialog.exec() != QDialog::Accepted) return QString();
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.first();
}

QStringList QtNameFilters(const QString& filter) {
    QStringList result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        result << parts[i] + QStringLiteral(" (") + patterns.simplified() + QLatin1Char(')');
    }
    return result;
}

int32_t SwatchColour(const QWidget* swatch) {
    const QVariant stored = swatch->property(kBackColor);
    if (stored.isValid()) return stored.toInt();
    return ColourValue(swatch->palette().color(swatch->backgroundRole()));
}

void SetSwatchColour(QWidget* swatch, int32_t colour) {
    swatch->setProperty(kBackColor, colour);
    QPalette palette = swatch->palette();
    palette.setColor(swatch->backgroundRole(), PaintColour(colour, palette));
    swatch->setPalette(palette);
    swatch->setAutoFillBackground(true);
}

bool ColourFromDialog(CommonDialog& dialog, QWidget* picColour, int32_t lngFlags) {
    int32_t colour = SwatchColour(picColour);
    if (!ColourFromDialog(dialog, colour, lngFlags, picColour->objectName())) return false;
    SetSwatchColour(picColour, colour);
    return true;
}
