#include "foundation/Errors.h"
#include "foundation/ResourceStrings.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

struct Lookup {
    int32_t code;
    const char* us;
    const char* uk;
};

class StringTables : public ::testing::Test {
protected:
    void SetUp() override { m_saved = CurrentStringTableLanguage(); }
    void TearDown() override { SetStringTableLanguage(m_saved); }

    static QString In(StringTableLanguage language, int32_t code) {
        SetStringTableLanguage(language);
        return GetResourceString(code);
    }

private:
    StringTableLanguage m_saved = StringTableLanguage::US;
};

// Raises through GetResourceString and returns the error that reached the caller.
SvError ErrorOf(int32_t code) {
    try {
        GetResourceString(code);
    } catch (const SvError& e) {
        return e;
    }
    ADD_FAILURE() << "no error for code " << code;
    return SvError(0, {}, {});
}

}  // namespace

TEST_F(StringTables, LooksUpTheTextOfEachLanguage) {
    const Lookup cases[] = {
        // the error box
        {184, "Critical Error", "Critical Error"},
        {185, "An error has occurred: ", "An error has occurred: "},
        // title-bar buttons, Tools menu and launcher texts
        {630, "Minimize", "Minimise"},
        {631, "Maximize", "Maximise"},
        {807, "Restore", "Restore"},
        {634, "&VE3 Zuvarozu Riride", "&ZA3 Redozozo Reveva"},
        {636, "M&usic Cataloger", "M&usic Cataloguer"},
        {3, "Dovud Ivezozuvu", "Music Cataloguer"},
        {493, "&Contents && Index", "&Contents && Index"},
        {182, "Invalid Color", "Invalid Colour"},
        // scanning centre and coordinator texts, some quoted in their UK form
        {603, "&Customize Columns...", "&Customise Columns..."},
        {227, "Capitalize Each Word", "Capitalise Each Word"},
        {275, "Click to open a color dialog.", "Click to open a colour dialogue."},
        {839, "Closing VE3 Zuvarozu Riride will exit the program. Are you sure you wish to do this?",
         "Closing ZA3 Redozozo Reveva will exit the program. Are you sure you wish to do this?"},
        // encoder and options texts
        {783, "Press to open up the CD Ripper dialog.", "Press to open up the CD Ripper dialogue."},
        {338, "Encoder Decoder Options", "Encoder Decoder Options"},
    };
    for (const Lookup& c : cases) {
        EXPECT_EQ(In(StringTableLanguage::US, c.code), QString::fromUtf8(c.us)) << "US " << c.code;
        EXPECT_EQ(In(StringTableLanguage::UK, c.code), QString::fromUtf8(c.uk)) << "UK " << c.code;
    }
}

// Messages are joined from pieces, so a blank or quotation mark at either end
// of a text is part of it.
TEST_F(StringTables, KeepsBlanksAndQuotesAtTheEdgesOfTexts) {
    const Lookup cases[] = {
        {188, "There is currently a process running in ", nullptr},
        {189, ". Please stop the process before closing the window.", nullptr},
        {177, "KB) already exists. Overwrite with new file (", nullptr},
        {197, "Cannot read ID3v1 Tag. ", nullptr},
        {26, "All ID3v1 Tags to be changed according to the ", nullptr},
        {852, " columns in the Simulate Results table.", nullptr},
        {11, "All ID3v1 Tags to be updated with \"", nullptr},
        {19, "\" in the Track field.", nullptr},
        {768, " file.", nullptr},
        {774, " Would you like to be notified of further files in this batch that cannot be processed? "
              "Press Cancel to stop processing the batch.", nullptr},
        {740, "Change choice of algorithms to determine the best scalefactors and huffman encoding:   0: "
              "slowest but best   2: recommended   9: poor quality.", nullptr},
        {857, "Version ", nullptr},
    };
    for (const Lookup& c : cases) {
        EXPECT_EQ(In(StringTableLanguage::US, c.code), QString::fromUtf8(c.us)) << c.code;
        EXPECT_EQ(In(StringTableLanguage::UK, c.code), QString::fromUtf8(c.us)) << c.code;
    }
}

TEST_F(StringTables, ReportRequestNamesTheSupportAddress) {
    const QString request = In(StringTableLanguage::US, 186);
    EXPECT_TRUE(request.startsWith("Please send this information to support@brellick.example together with"));
    EXPECT_TRUE(request.endsWith("Please include as much information as possible. Thank you."));
    EXPECT_EQ(In(StringTableLanguage::UK, 186), request);
}

TEST_F(StringTables, BothTablesHoldTheSameCodes) {
    int present = 0;
    for (int32_t code = 1; code <= 859; ++code) {
        bool inUs = true, inUk = true;
        try { In(StringTableLanguage::US, code); } catch (const SvError&) { inUs = false; }
        try { In(StringTableLanguage::UK, code); } catch (const SvError&) { inUk = false; }
        EXPECT_EQ(inUs, inUk) << "code " << code;
        present += inUs ? 1 : 0;
        if (inUs && inUk) {
            EXPECT_FALSE(In(StringTableLanguage::US, code).isEmpty()) << code;
            EXPECT_FALSE(In(StringTableLanguage::UK, code).isEmpty()) << code;
        }
    }
    EXPECT_GT(present, 500);
}

TEST_F(StringTables, MissingEntryRaisesResourceNotFoundToTheCaller) {
    SetStringTableLanguage(StringTableLanguage::UK);
    for (int32_t code : {0, 40, 860, -1, -1000, std::numeric_limits<int32_t>::min(),
                         std::numeric_limits<int32_t>::max() - 1000}) {
        const SvError e = ErrorOf(code);
        EXPECT_EQ(e.number(), ErrNo::ResourceNotFound) << code;
        // No trap of its own: the description carries no trail entry.
        EXPECT_EQ(e.description(), StandardErrorText(ErrNo::ResourceNotFound)) << code;
    }
}

TEST_F(StringTables, IdWhoseEntryNumberWouldOverflowRaisesOverflow) {
    for (int32_t code : {std::numeric_limits<int32_t>::max() - 999, std::numeric_limits<int32_t>::max()})
        EXPECT_EQ(ErrorOf(code).number(), ErrNo::Overflow) << code;
}

TEST(StringTableLanguageChoice, BritishAndOtherNonUsEnglishPickTheUkTable) {
    const struct {
        const char* locale;
        StringTableLanguage expected;
    } cases[] = {
        {"en_GB", StringTableLanguage::UK}, {"en_IE", StringTableLanguage::UK},
        {"en_AU", StringTableLanguage::UK}, {"en_NZ", StringTableLanguage::UK},
        {"en_IN", StringTableLanguage::UK}, {"en_ZA", StringTableLanguage::UK},
        {"en_CA", StringTableLanguage::UK}, {"en_US", StringTableLanguage::US},
        {"en_PR", StringTableLanguage::US}, {"en", StringTableLanguage::US},
        {"C", StringTableLanguage::US},     {"de_DE", StringTableLanguage::US},
        {"fr_GB", StringTableLanguage::US}, {"cy_GB", StringTableLanguage::US},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StringTableLanguageFor(QLocale(QString::fromLatin1(c.locale))), c.expected) << c.locale;
}
