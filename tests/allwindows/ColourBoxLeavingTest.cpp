// The colour boxes of the HTML font dialog, the page properties, the HTML
// header and the Options dialog, left by the user with real keys and clicks:
// leaving a box by Tab, Shift+Tab or a click on another control checks it the
// same way (an invalid colour is reported once, the swatch gives up its old
// colour and the focus goes back into the box); opening the box's own list
// checks nothing; OK with an invalid colour reports it once and keeps the
// dialog open, and Cancel closes it without a word.

#include "allwindows/AllWindowsSupport.h"

#include "cataloguer/ui/HTMLFontDialog.h"
#include "cataloguer/ui/HeaderOptionsDialogs.h"
#include "cataloguer/ui/PagePropertiesDialog.h"
#include "options/ui/OptionsDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>

namespace {

// One dialog and the controls the test reaches in it.
struct ColourBoxDialog {
    std::unique_ptr<QDialog> dialog;
    QComboBox* box = nullptr;
    QWidget* swatch = nullptr;
    QWidget* elsewhere = nullptr;  // another control a click may go to
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
};

struct DialogCase {
    const char* name;
    std::function<ColourBoxDialog()> open;
};

const std::vector<DialogCase>& Dialogs() {
    static const std::vector<DialogCase> dialogs = {
        {"HTML font",
         [] {
             auto* d = new DialogHTMLFont;
             static QLabel label;
             label.setText(QStringLiteral("Font: Default, Size Default, Colour Default"));
             d->Load(&label);
             return ColourBoxDialog{std::unique_ptr<QDialog>(d),
                                    d->ComboColour,
                                    d->PictureColour,
                                    d->TextSize,
                                    d->OKButton,
                                    d->CancelButton};
         }},
        {"page properties",
         [] {
             auto* d = new DialogHTMLPageProperties;
             return ColourBoxDialog{std::unique_ptr<QDialog>(d),
                                    d->ComboColour[4],
                                    d->PictureColour[4],
                                    d->TextTitle,
                                    d->OKButton,
                                    d->CancelButton};
         }},
        {"HTML header",
         [] {
             auto* d = new DialogHTMLCataloguerHeader;
             return ColourBoxDialog{std::unique_ptr<QDialog>(d),
                                    d->ComboFill[4],
                                    d->PictureFill[4],
                                    d->TextTitle,
                                    d->OKButton,
                                    d->CancelButton};
         }},
        {"Options",
         [] {
             auto* d = new DialogOptions;
             d->SelectTab(3);
             return ColourBoxDialog{std::unique_ptr<QDialog>(d),    d->ComboFill, d->PictureFill,
                                    d->TextOutputFileNameExtension, d->OKButton,  d->CancelButton};
         }},
    };
    return dialogs;
}

class ColourBoxLeavingTest : public AllWindowsTest {
protected:
    static QColor Swatch(const QWidget* swatch) { return swatch->palette().color(swatch->backgroundRole()); }
    static void Type(QComboBox* box, const QString& text) {
        box->setFocus();
        box->lineEdit()->selectAll();
        QTest::keyClicks(QApplication::focusWidget(), text);
    }
    int InvalidColours() const {
        int n = 0;
        for (const ShownBox& box : ui.shown) n += box.title == QLatin1String("Invalid Color") ? 1 : 0;
        return n;
    }
};

TEST_F(ColourBoxLeavingTest, EveryWayOfLeavingChecksTheBoxOnceAndOKAndCancelAsTheirOwn) {
    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    for (const DialogCase& c : Dialogs()) {
        SCOPED_TRACE(c.name);
        ColourBoxDialog d = c.open();
        d.dialog->show();
        QApplication::setActiveWindow(d.dialog.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(d.dialog.get()));
        ui.shown.clear();

        // A colour, left by Tab: the swatch shows it, nothing is said.
        Type(d.box, "lime");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(Swatch(d.swatch), QColor(0, 255, 0));
        EXPECT_TRUE(ui.shown.empty()) << Shown();

        const std::pair<const char*, std::function<void()>> leavings[] = {
            {"Tab", [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }},
            {"Shift+Tab", [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier); }},
            {"a click elsewhere", [&] { QTest::mouseClick(d.elsewhere, Qt::LeftButton); }},
        };
        for (const auto& [how, leave] : leavings) {
            SCOPED_TRACE(how);
            Type(d.box, "lime");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            Type(d.box, "zzz");
            ui.shown.clear();
            leave();
            Settle();
            EXPECT_EQ(InvalidColours(), 1) << Shown();
            EXPECT_EQ(Swatch(d.swatch), buttonFace);
            EXPECT_EQ(QApplication::focusWidget(), d.box);
            EXPECT_EQ(d.box->currentText(), "zzz");
        }

        // The box's own list is no leaving.
        ui.shown.clear();
        d.box->showPopup();
        Settle();
        d.box->hidePopup();
        Settle();
        EXPECT_EQ(InvalidColours(), 0) << Shown();

        // OK says it once and keeps the dialog open; Cancel says nothing.
        d.box->setFocus();
        ui.shown.clear();
        QTest::mouseClick(d.ok, Qt::LeftButton);
        Settle();
        EXPECT_EQ(InvalidColours(), 1) << Shown();
        EXPECT_NE(d.dialog->result(), QDialog::Accepted);
        d.box->setFocus();
        ui.shown.clear();
        QTest::mouseClick(d.cancel, Qt::LeftButton);
        Settle();
        EXPECT_TRUE(ui.shown.empty()) << Shown();
        EXPECT_FALSE(d.dialog->isVisible());
    }
}

}  // namespace
