// HTML font descriptions: building one from the font dialog's boxes and
// reading it back, and the sizes the dialog accepts.  The reading itself is
// GetFont's, whose cases stand in the shared services' tests.

#include "cataloguer/FontDescription.h"
#include "foundation/Errors.h"

#include <gtest/gtest.h>

namespace {

TEST(FontDescription, BuildsWhatItReadsBack) {
    struct Case {
        const char* faces;
        const char* size;
        const char* colour;
        const char* style;
        bool underline;
        const char* text;
    };
    const Case cases[] = {
        {"Tahoma", "+2", "lime", "Bold", false, "Font: Tahoma, Size +2, Colour lime, Bold"},
        {"", "", "", "Regular", false, "Font: Default, Size Default, Colour "},
        {"Comic Sans MS", "Default", "lime", "rEGULAR", false, "Font: Comic Sans MS, Size Default, Colour lime"},
        {"Arial", "3", "lime", "Regular", true, "Font: Arial, Size 3, Colour lime Underline"},
        {"Arial", "3", "", "Italic", true, "Font: Arial, Size 3, Colour , Italic Underline"},
        {"Arial, Helvetica, sans-serif", "-1", "#00FF00", "Bold Italic", true,
         "Font: Arial, Helvetica, sans-serif, Size -1, Colour #00FF00, Bold Italic Underline"},
        {"Gill Sans Bold", "1", "red", "Regular", false, "Font: Gill Sans Bold, Size 1, Colour red"},
    };
    for (const Case& c : cases) {
        const QString text = BuildFontDescription(QString::fromUtf8(c.faces), QString::fromUtf8(c.size),
                                                  QString::fromUtf8(c.colour), QString::fromUtf8(c.style), c.underline);
        EXPECT_EQ(text, c.text);
        const FontDescription back = ParseFontDescription(text);
        EXPECT_EQ(back.faces, *c.faces ? c.faces : "Default") << c.text;
        EXPECT_EQ(back.size, *c.size ? c.size : "Default") << c.text;
        EXPECT_EQ(back.colour, c.colour) << c.text;
        // A style word in the faces is no style.
        EXPECT_EQ(FontStyleWord(back.italic, back.bold).toLower(), QString::fromUtf8(c.style).toLower()) << c.text;
        EXPECT_EQ(back.underline, c.underline) << c.text;
    }
    // Only the words with their capitals set a flag.
    EXPECT_FALSE(ParseFontDescription(QStringLiteral("Font: Arial, Size 1, Colour red, bold")).bold);
}

TEST(FontDescription, ATextThatIsNoDescriptionFailsWithItsTrail) {
    const QString text = QStringLiteral("Font: Tahoma, Size 2");
    try {
        ParseFontDescription(text);
        ADD_FAILURE() << "no error";
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::InvalidCall);
        EXPECT_TRUE(e.description().endsWith(QStringLiteral("|ParseFontDescription;") + text))
            << e.description().toStdString();
    }
}

TEST(FontDescription, SizesTheDialogAccepts) {
    for (const char* size : {"", "Default", "dEFAULT", "1", "7", "+1", "+7", "-1", "-7", "12", " 3 "})
        EXPECT_TRUE(IsFontSizeText(QString::fromUtf8(size))) << size;
    for (const char* size : {"big", "+", "3px", "Default2"}) EXPECT_FALSE(IsFontSizeText(QString::fromUtf8(size))) << size;
}

}  // namespace
