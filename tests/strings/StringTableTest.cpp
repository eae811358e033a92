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
        {TextId::Common::CriticalError, "Critical Error", "Critical Error"},
        {TextId::Common::ErrorHasOccurred, "An error has occurred: ", "An error has occurred: "},
        // title-bar buttons, Tools menu and launcher texts
        {TextId::Common::Minimize, "Minimize", "Minimise"},
        {TextId::Common::Maximize, "Maximize", "Maximise"},
        {TextId::Common::Restore, "Restore", "Restore"},
        {TextId::Menu::ToolScanningCentre, "&VE3 Zuvarozu Riride", "&ZA3 Redozozo Reveva"},
        {TextId::Menu::ToolMusicCataloguer, "M&usic Cataloger", "M&usic Cataloguer"},
        {TextId::Launcher::MusicCataloguer, "Dovud Ivezozuvu", "Music Cataloguer"},
        {TextId::Menu::ContentsAndIndex, "&Contents && Index", "&Contents && Index"},
        {TextId::Common::InvalidColor, "Invalid Color", "Invalid Colour"},
        // scanning centre and coordinator texts, some quoted in their UK form
        {TextId::Scan::CustomizeColumns, "&Customize Columns...", "&Customise Columns..."},
        {TextId::CoordinatorAdv::CapitalizeEachWord, "Capitalize Each Word", "Capitalise Each Word"},
        {TextId::CoordinatorAdv::OpenColorDialogTip, "Click to open a color dialog.",
         "Click to open a colour dialogue."},
        {TextId::Common::ExitQuestion,
         "Closing VE3 Zuvarozu Riride will exit the program. Are you sure you wish to do this?",
         "Closing ZA3 Redozozo Reveva will exit the program. Are you sure you wish to do this?"},
        // encoder and options texts
        {TextId::Encoder::RipCDTip, "Press to open up the CD Ripper dialog.",
         "Press to open up the CD Ripper dialogue."},
        {TextId::EncoderOptions::Caption, "Encoder Decoder Options", "Encoder Decoder Options"},
        // texts that say what this program does on Linux, the same in both tables
        {TextId::Encoder::ProcessMayTakeLong,
         "This process may take a long time. You may press Stop at any time, but the file currently being processed "
         "will be finished first before the batch is stopped. However, you may end LAME at once by pressing Stop a "
         "second time; the file being processed is then left unconverted.",
         "This process may take a long time. You may press Stop at any time, but the file currently being processed "
         "will be finished first before the batch is stopped. However, you may end LAME at once by pressing Stop a "
         "second time; the file being processed is then left unconverted."},
        {TextId::About::SystemInformationUnavailable,
         "No system information program was found. System Info starts the first of these that is installed: ",
         "No system information program was found. System Info starts the first of these that is installed: "},
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
        {TextId::Common::ProcessRunningIn, "There is currently a process running in ", nullptr},
        {TextId::Common::StopProcessBeforeClosing, ". Please stop the process before closing the window.", nullptr},
        {TextId::Common::AlreadyExistsOverwrite, "KB) already exists. Overwrite with new file (", nullptr},
        {TextId::Common::CannotReadID3v1Tag, "Cannot read ID3v1 Tag. ", nullptr},
        {TextId::ApplyChanges::AllID3v1TagsChanged, "All ID3v1 Tags to be changed according to the ", nullptr},
        {TextId::ApplyChanges::ColumnsInSimulateResults, " columns in the Simulate Results table.", nullptr},
        {TextId::ApplyChanges::AllID3v1TagsUpdatedWith, "All ID3v1 Tags to be updated with \"", nullptr},
        {TextId::ApplyChanges::InTheTrackField, "\" in the Track field.", nullptr},
        {TextId::Encoder::FileEnd, " file.", nullptr},
        {TextId::Encoder::NotifyFurtherFiles,
         " Would you like to be notified of further files in this batch that cannot be processed? "
         "Press Cancel to stop processing the batch.",
         nullptr},
        {TextId::EncoderOptions::AlgorithmQualityTip,
         "Change choice of algorithms to determine the best scalefactors and huffman encoding:   0: "
         "slowest but best   2: recommended   9: poor quality.",
         nullptr},
        {TextId::About::Version, "Version ", nullptr},
    };
    for (const Lookup& c : cases) {
        EXPECT_EQ(In(StringTableLanguage::US, c.code), QString::fromUtf8(c.us)) << c.code;
        EXPECT_EQ(In(StringTableLanguage::UK, c.code), QString::fromUtf8(c.us)) << c.code;
    }
}

TEST_F(StringTables, ReportRequestNamesTheSupportAddress) {
    const QString request = In(StringTableLanguage::US, TextId::Common::ErrorReportRequest);
    EXPECT_TRUE(request.startsWith("Please send this information to support@brellick.example together with"));
    EXPECT_TRUE(request.endsWith("Please include as much information as possible. Thank you."));
    EXPECT_EQ(In(StringTableLanguage::UK, TextId::Common::ErrorReportRequest), request);
}

TEST_F(StringTables, BothTablesHoldTheSameCodes) {
    int present = 0;
    // The first table's codes and every area's block of later ones.
    for (int32_t code = 1; code <= 8999; ++code) {
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
