// The HTML colour table, its conversions and the colour preview.
#include "foundation/HtmlColours.h"
#include "foundation/ResourceStrings.h"
#include "foundation/ui/HtmlColourBoxes.h"
#include "foundation/ui/QtDialogs.h"
#include "support/ScriptedUi.h"

#include <QApplication>
#include <QComboBox>
#include <QWidget>
#include <gtest/gtest.h>

TEST(HtmlColours, TableBothWays) {
    const QStringList names = HtmlColourNames();
    const QStringList values = HtmlColourValues();
    ASSERT_EQ(names.size(), kHtmlColourCount);
    ASSERT_EQ(values.size(), kHtmlColourCount);
    EXPECT_EQ(names.front(), QStringLiteral("Default"));
    EXPECT_EQ(names.back(), QStringLiteral("yellowgreen"));
    for (int i = 1; i < kHtmlColourCount; ++i) {
        SCOPED_TRACE(names[i].toStdString());
        if (i > 1) {
            EXPECT_LT(names[i - 1], names[i]);  // alphabetical
        }
        EXPECT_EQ(names[i], names[i].toLower());
        // The platform value of a name, and back to the table's digits.
        QString text = names[i].toUpper();
        ASSERT_TRUE(HTML2VBColour(text));
        bool ok = false;
        const auto colour = static_cast<int32_t>(text.mid(2).toUInt(&ok, 16));
        ASSERT_TRUE(ok);
        EXPECT_EQ(VB2HTMLColour(colour, false), values[i]);
        EXPECT_EQ(VB2HTMLColour(colour, true), "#" + values[i]);
        // Qt knows the same names: the table's values agree with them, but
        // for the table's own darkseagreen (8FBC8B, where Qt has 8FBC8F).
        if (names[i] == QLatin1String("darkseagreen")) {
            EXPECT_EQ(values[i], QStringLiteral("8FBC8B"));
        } else {
            EXPECT_EQ(ColourFromVB(colour), QColor::fromString(names[i]));
        }
    }
}

TEST(HtmlColours, Conversions) {
    EXPECT_EQ(VB2HTMLColour(0x0000FF, false), QStringLiteral("FF0000"));
    EXPECT_EQ(VB2HTMLColour(0x0000FF, true), QStringLiteral("#FF0000"));
    EXPECT_EQ(VB2HTMLColour(0xFF0000, false), QStringLiteral("0000FF"));
    EXPECT_EQ(VB2HTMLColour(0x0A0B0C, false), QStringLiteral("0C0B0A"));

    struct {
        const char* in;
        bool colour;
        const char* out;
    } cases[] = {
        {"navy", true, "&H800000"},      {"#ff8000", true, "&H0080FF"},  {"Default", true, "&H000000"},
        {"AliceBlue", true, "&HFFF8F0"}, {"ff8000", true, "&H0080FF"},   {"#12345", false, "12345"},
        {"notacolour", false, "notacolour"},                             {"#navy", false, "navy"},
        {"#0x12AB", false, "0x12AB"},    {"", false, ""},                {"#", false, ""},
    };
    for (const auto& c : cases) {
        QString text = QString::fromUtf8(c.in);
        EXPECT_EQ(HTML2VBColour(text), c.colour) << c.in;
        EXPECT_EQ(text, QString::fromUtf8(c.out)) << c.in;
    }
}

TEST(HtmlColours, ComboBoxAndPreview) {
    ScriptedUi ui;
    SetStringTableLanguage(StringTableLanguage::US);
    QWidget dialog;
    auto* combo = new QComboBox(&dialog);
    combo->setObjectName("ComboColour");
    combo->setEditable(true);
    HTMLColoursIntoComboBox(combo);
    ASSERT_EQ(combo->count(), 141);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("Default"));
    EXPECT_EQ(combo->itemText(140), QStringLiteral("yellowgreen"));

    auto* preview = new QWidget(&dialog);
    auto* other = new QWidget(&dialog);
    other->setFocusPolicy(Qt::StrongFocus);
    dialog.show();
    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    auto shown = [&] { return preview->palette().color(QPalette::Window); };

    combo->setEditText("navy");
    HTMLColourIntoPictureBox(combo, preview);
    EXPECT_EQ(shown(), QColor(0, 0, 0x80));
    EXPECT_EQ(combo->currentText(), QStringLiteral("navy"));

    // A colour once picked in the colour dialog gives way to the text's.
    SetSwatchColour(preview, 0x0000FF);
    combo->setEditText("navy");
    HTMLColourIntoPictureBox(combo, preview);
    EXPECT_EQ(SwatchColour(preview), 0x800000);

    combo->setEditText("DEFAULT");
    HTMLColourIntoPictureBox(combo, preview);
    EXPECT_EQ(shown(), buttonFace);
    EXPECT_TRUE(ui.shown.empty());

    combo->setEditText("ff8000");  // typed without "#": completed
    HTMLColourIntoPictureBox(combo, preview);
    EXPECT_EQ(shown(), QColor(0xFF, 0x80, 0x00));
    EXPECT_EQ(combo->currentText(), QStringLiteral("#ff8000"));

    combo->setEditText("#zz0000");
    other->setFocus();
    HTMLColourIntoPictureBox(combo, preview);
    EXPECT_EQ(shown(), buttonFace);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, QStringLiteral("Invalid Color"));
    EXPECT_EQ(ui.shown[0].prompt,
              QStringLiteral("That is not a valid HTML color. Please enter or select another color."));
    EXPECT_EQ(ui.shown[0].style, Mb::OKOnly | Mb::Exclamation);
    EXPECT_EQ(dialog.focusWidget(), combo);
}
