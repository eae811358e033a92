// Path texts and file-system bytes: names that are not UTF-8 keep their
// bytes through the text, show as Windows-1252, and travel in URLs.

#include "FilesTestSupport.h"
#include "foundation/NativePath.h"

#include <gtest/gtest.h>

namespace {

TEST(NativePath, BytesComeBackThroughTheText) {
    struct {
        const char* what;
        QByteArray bytes;
        QString shown;  // PathForDisplay
        bool raw;       // HasRawBytes
    } cases[] = {
        {"ASCII", "/music/a.mp3", QStringLiteral("/music/a.mp3"), false},
        {"UTF-8", "/music/caf\xC3\xA9 \xE2\x80\x93 \xF0\x9F\x8E\xB5.mp3",
         QStringLiteral("/music/caf\u00E9 \u2013 \U0001F3B5.mp3"), false},
        {"Latin-1 byte", "/music/caf\xE9.mp3", QStringLiteral("/music/caf\u00E9.mp3"), true},
        {"Windows-1252 quote", "/music/Don\x92t.mp3", QStringLiteral("/music/Don\u2019t.mp3"), true},
        {"truncated sequence at the end", "a\xC3", QStringLiteral("a\u00C3"), true},
        {"overlong slash", "a\xC0\xAF" "b", QStringLiteral("a\u00C0\u00AF" "b"), true},
        {"encoded surrogate", "\xED\xA0\x80", QStringLiteral("\u00ED\u00A0\u20AC"), true},
        {"past U+10FFFF", "\xF4\x90\x80\x80", QStringLiteral("\u00F4\u0090\u20AC\u20AC"), true},
        {"valid and invalid mixed", "\xC3\xA9\xE9\xF0\x9F\x8E\xB5\xFF",
         QStringLiteral("\u00E9\u00E9\U0001F3B5\u00FF"), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString text = PathFromNative(c.bytes);
        EXPECT_EQ(NativePath(text), c.bytes);
        EXPECT_EQ(HasRawBytes(text), c.raw);
        EXPECT_EQ(PathForDisplay(text), c.shown);
        if (!c.raw) {
            EXPECT_EQ(text, QString::fromUtf8(c.bytes));
        }

        // A file URL names the same bytes, and gives the same text back.
        const QUrl url = FileUrlFromPath(c.bytes.startsWith('/') ? text : QStringLiteral("/") + text);
        EXPECT_TRUE(url.isLocalFile());
        EXPECT_EQ(PathFromFileUrl(url), c.bytes.startsWith('/') ? text : QStringLiteral("/") + text);
    }
    // A kept byte never swallows the low half of a real surrogate pair.
    const QString pair = QStringLiteral("\U0001F3B5");
    EXPECT_EQ(NativePath(pair), QByteArray("\xF0\x9F\x8E\xB5"));
}

TEST(NativePath, UrlOfARawNameCarriesItsBytes) {
    const QString path = PathFromNative(QByteArray("/music/caf\xE9 #1.mp3"));
    EXPECT_EQ(FileUrlFromPath(path).toEncoded(), QByteArray("file:///music/caf%E9%20%231.mp3"));
    EXPECT_EQ(PathFromFileUrl(QUrl::fromEncoded("file:///music/caf%E9%20%231.mp3")), path);
    EXPECT_TRUE(PathFromFileUrl(QUrl(QStringLiteral("http://example.invalid/a.mp3"))).isEmpty());
}

}  // namespace
