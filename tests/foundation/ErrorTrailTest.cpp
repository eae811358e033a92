#include "foundation/Errors.h"
#include "foundation/ResourceStrings.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>
#include <new>

namespace {
void Innermost(const QString& path) {
    try {
        RaiseError(ErrNo::FileNotFound);
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("OpenIt"), path, 3, true));
    }
}
void Middle() {
    try {
        Innermost(QStringLiteral("/music/a.mp3"));
    } catch (...) {
        PropagateError(QStringLiteral("Middle"));
    }
}
void Outer(int n) {
    try {
        Middle();
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("Outer"), n));
    }
}
}  // namespace

// Every error the program raises by number carries its own text, never the
// catch-all one.
TEST(ErrorTrail, ErrorsTheProgramRaisesHaveTheirOwnTexts) {
    const std::pair<int32_t, const char*> cases[] = {
        {ErrNo::ErrorLoadingLibrary, "Error in loading shared library"},
        {ErrNo::ControlArrayElementMissing, "Control array element doesn't exist"},
        {ErrNo::ObjectNotAnArray, "Object not an array"},
        {ErrNo::InvalidPropertyValue, "Invalid property value"},
        {ErrNo::LibraryFunctionNotFound, "Specified library function not found"},
        {ErrNo::InvalidPicture, "Invalid picture"},
        {ErrNo::ResourceNotFound, "Resource with this identifier not found"},
    };
    for (const auto& [number, text] : cases) {
        EXPECT_EQ(StandardErrorText(number), QString::fromUtf8(text)) << number;
        try {
            RaiseError(number);
        } catch (const SvError& e) {
            EXPECT_EQ(e.description(), QString::fromUtf8(text)) << number;
        }
    }
    EXPECT_EQ(StandardErrorText(12345), QStringLiteral("Application-defined or object-defined error"));
}

TEST(ErrorTrail, ThreeLevelsDeepShowOneBoxAndTheHandlerGoesOn) {
    ScriptedUi ui;
    SetStringTableLanguage(StringTableLanguage::US);
    bool continued = false;
    ResumeNext([] { Outer(-2); });
    continued = true;
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_TRUE(continued);
    EXPECT_EQ(ui.shown[0].title, "Critical Error");
    EXPECT_EQ(ui.shown[0].style, Mb::OKOnly | Mb::Critical);
    EXPECT_TRUE(ui.shown[0].prompt.startsWith(
        "An error has occurred: 53\r\n\r\nFile not found|OpenIt;/music/a.mp3;3;True|Middle|Outer;-2\r\n\r\n"))
        << ui.shown[0].prompt.toStdString();
}

TEST(ErrorTrail, ComponentErrorKeepsItsNegativeNumber) {
    ScriptedUi ui;
    ResumeNext([] {
        try {
            throw SvError(ErrNo::ComponentErrorBase + 101, "Quillmark", "text");
        } catch (...) {
            PropagateError("Caller");
        }
    });
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_TRUE(ui.shown[0].prompt.contains("-2147221403\r\n\r\ntext|Caller"));
}

TEST(ErrorTrail, OutOfMemoryShowsItsDescriptionAlone) {
    ScriptedUi ui;
    ResumeNext([] {
        try {
            throw std::bad_alloc();
        } catch (...) {
            PropagateError("Grow");
        }
    });
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].prompt, "Out of memory|Grow");
    EXPECT_EQ(ui.shown[0].title, "Sonivard");
}
