// Every editable combo box of every window and dialog, typed into with real
// keys: the beginning of an entry of the box's list stays exactly as typed,
// nothing completed after it and nothing selected.

#include "allwindows/AllWindowsSupport.h"

#include "cataloguer/ui/HTMLFontDialog.h"
#include "cataloguer/ui/HeaderOptionsDialogs.h"
#include "cataloguer/ui/PagePropertiesDialog.h"
#include "coordinator/ui/AdvancedOptionsDialog.h"
#include "coordinator/ui/MassTaggingOverrideTool.h"
#include "encoder/ui/EncoderOptionsDialog.h"
#include "foundation/ToolWindows.h"
#include "options/ui/OptionsDialog.h"
#include "scanning/ui/FileInfoDialog.h"
#include "support/RealKeys.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QTest>
#include <functional>
#include <memory>

namespace {

struct DialogCase {
    const char* name;
    std::function<QDialog*(const QString& music)> open;
    // Brings the page that holds the box forward (none: the dialog has one).
    std::function<void(QDialog*, QComboBox*)> reach = {};
};

const std::vector<DialogCase>& Dialogs() {
    static const std::vector<DialogCase> dialogs = {
        {"Options", [](const QString&) { return new DialogOptions; },
         [](QDialog* dialog, QComboBox* box) {
             auto* d = static_cast<DialogOptions*>(dialog);
             for (int page = 0; page < 5; ++page)
                 if (d->FrameOptions[size_t(page)]->isAncestorOf(box)) d->SelectTab(page + 1);
         }},
        {"HTML font",
         [](const QString&) {
             auto* d = new DialogHTMLFont;
             static QLabel label;
             label.setText(QStringLiteral("Font: Default, Size Default, Colour Default"));
             d->Load(&label);
             return d;
         }},
        {"page properties", [](const QString&) { return new DialogHTMLPageProperties; }},
        {"HTML header", [](const QString&) { return new DialogHTMLCataloguerHeader; }},
        {"text header", [](const QString&) { return new DialogTextCataloguerHeader; }},
        {"coordinator advanced options", [](const QString&) { return new DialogFileNameTagCoordAdvOptions; }},
        {"encoder options", [](const QString&) { return new DialogEncoderDecoderOptions; }},
        {"file information", [](const QString& music) { return new FormFileInfo(music + QStringLiteral("/a.mp3")); },
         [](QDialog* dialog, QComboBox*) {
             // The file has no ID3v2 tag: its boxes open with the tick.
             auto* d = static_cast<FormFileInfo*>(dialog);
             if (!d->CheckID3v2Tag->isChecked()) d->CheckID3v2Tag->click();
         }},
    };
    return dialogs;
}

// Brings a tool window's box within reach (none: every box is).
std::function<void(QComboBox*)> ReachIn(QWidget* window) {
    if (auto* tool = dynamic_cast<DialogMassTaggingOverrideTool*>(window))
        return [tool](QComboBox*) {
            // Open on its own, the override tool waits for the coordinator;
            // a tick of the tag's box opens its values.
            tool->EnableControls(true);
            tool->CheckID3v2Tag->setChecked(true);
            tool->CheckID3v2Tag_Click();
        };
    return {};
}

class EditableCombosTest : public AllWindowsTest {
protected:
    // Types the beginning of an entry of each editable box of `window` and
    // checks it stays as typed; notes the boxes' names.
    void TypeIntoEachBox(QWidget* window, const std::function<void(QComboBox*)>& reach) {
        for (QComboBox* box : window->findChildren<QComboBox*>()) {
            if (!box->isEditable()) continue;
            SCOPED_TRACE(box->objectName().toStdString());
            checked << box->objectName();
            if (reach) reach(box);
            QApplication::setActiveWindow(window);
            ASSERT_TRUE(QTest::qWaitForWindowActive(window));
            ASSERT_TRUE(box->isVisible() && box->isEnabled()) << "the box cannot be reached";
            const QString before = box->currentText();
            // A history may still be empty: it gets an entry of its own.
            if (box->count() == 0) box->addItem(QStringLiteral("Typed entry"));
            const QString last = box->itemText(box->count() - 1);
            const QString entry = last.size() > 2 ? last : box->itemText(0);
            const QByteArray typed = entry.left(qMax(1, int(entry.size()) / 2)).toLatin1();
            ASSERT_LT(typed.size(), entry.size()) << entry.toStdString();

            box->setFocus();
            ASSERT_TRUE(box->hasFocus());
            box->lineEdit()->selectAll();
            const size_t shown = ui.shown.size();
            RealKeys::Type(typed.constData());
            EXPECT_EQ(box->currentText(), QString::fromLatin1(typed)) << "list entry " << entry.toStdString();
            EXPECT_EQ(box->lineEdit()->selectedText(), QString());
            EXPECT_EQ(ui.shown.size(), shown) << Shown();
            box->setEditText(before);
        }
    }

    QSet<QString> checked;
};

TEST_F(EditableCombosTest, ATypedBeginningOfAListEntryIsNotCompletedInAnyBox) {
    for (const ToolWindowInfo& info : ToolWindows()) {
        SCOPED_TRACE(info.name.toStdString());
        QWidget* window = Show(info.name);
        ASSERT_NE(window, nullptr);
        TypeIntoEachBox(window, ReachIn(window));
        CloseToolWindows();
    }
    for (const DialogCase& c : Dialogs()) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<QDialog> dialog(c.open(music));
        dialog->show();
        TypeIntoEachBox(dialog.get(), [&](QComboBox* box) {
            if (c.reach) c.reach(dialog.get(), box);
        });
        dialog->hide();
    }
    // The boxes the program has: none was passed by.
    for (const char* name : {"ComboFileNameFormat", "ComboID3v2Genre", "ComboScanFilter", "ComboFill",
                             "ComboFontCombination", "ComboColour", "ComboColour_0", "ComboFill_0"})
        EXPECT_TRUE(checked.contains(QLatin1String(name))) << name;
}

}  // namespace
