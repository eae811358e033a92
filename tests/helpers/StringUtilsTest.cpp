// Text, number-base and waiting helpers.
#include "foundation/Errors.h"
#include "foundation/StringUtils.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

TEST(Text, CapitaliseAndIsAlphabetic) {
    EXPECT_EQ(Capitalise("mIXED cASE"), QStringLiteral("Mixed case"));
    EXPECT_EQ(Capitalise("x"), QStringLiteral("X"));
    EXPECT_EQ(Capitalise(""), QString());
    EXPECT_EQ(Capitalise(QString::fromUtf8("éCOLE")), QString::fromUtf8("École"));

    struct {
        QString text;
        bool alphabetic;
    } cases[] = {
        {"a", true},        {"Z", true},          {QString(QChar(0xE9)), true},  // e acute
        {QString(QChar(0xD8)), true},                                           // O stroke
        {QString(QChar(0xFF)), true},                                           // y diaeresis
        {QString(QChar(0xD7)), false},                                          // multiplication sign
        {QString(QChar(0xF7)), false},                                          // division sign
        {"7", false},       {"_", false},         {"", false},
        {"[", false},       {"`", false},         {QString(QChar(0x100)), false},
        {"Ab", true},       {"Zz", false},        // compared as a whole with each bound
    };
    for (const auto& c : cases) EXPECT_EQ(IsAlphabetic(c.text), c.alphabetic) << c.text.toStdString();
}

TEST(Text, TrimmingChangesTheCallersText) {
    QString text = "--==abc==--";
    EXPECT_EQ(TrimChars(text, "-="), QStringLiteral("abc"));
    EXPECT_EQ(text, QStringLiteral("abc"));
    text = "=-=-a-b=-=";
    EXPECT_EQ(TrimChars(text, "-="), QStringLiteral("a-b"));
    text = "--==abc==--";
    EXPECT_EQ(TrimChars(text, ""), QStringLiteral("--==abc==--"));
    text = "----";
    EXPECT_EQ(TrimChars(text, "-"), QString());

    QString blanks = QString(QChar(0)) + "  a " + QChar(0) + " b" + QChar(0) + " ";
    const QString expected = "a " + QString(QChar(0)) + " b";
    EXPECT_EQ(TrimBlanks(blanks), expected);
    EXPECT_EQ(blanks, expected);

    EXPECT_EQ(TerminateAtNull("abc" + QString(QChar(0)) + "def"), QStringLiteral("abc"));
    EXPECT_EQ(TerminateAtNull("abc"), QStringLiteral("abc"));
}

TEST(Text, PadChars) {
    struct {
        QString text;
        int16_t length;
        QString pad;
        int32_t side;
        QString result;
    } cases[] = {
        {"7", 3, "0", 1, "007"},         {"7", 3, "0", 0, "700"},      {"7", 3, "xy", -5, "xx7"},
        {"12345", 3, "0", 1, "123"},     {"12345", 3, "0", 0, "123"},  {"abc", 3, "", 1, "abc"},
        {"abc", 0, "0", 1, ""},          {"", 2, " ", 0, "  "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PadChars(c.text, c.length, c.pad, c.side), c.result) << c.text.toStdString() << " " << c.length;
    try {
        PadChars("7", 3, "", 1);
        FAIL() << "no error";
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::InvalidCall);
        EXPECT_TRUE(e.description().endsWith("|PadChars;7;3;;1")) << e.description().toStdString();
    }
    EXPECT_THROW(PadChars("7", -1, "0", 1), SvError);
}

TEST(Text, TruncToAndFromNumbers) {
    EXPECT_EQ(TruncToNum("Track 07"), QStringLiteral("07"));
    EXPECT_EQ(TruncFromNum("07 - Title"), QStringLiteral("07"));
    EXPECT_EQ(TruncToNum("a1b2c"), QStringLiteral("1b2c"));
    EXPECT_EQ(TruncFromNum("a1b2c"), QStringLiteral("a1b2"));
    EXPECT_EQ(TruncToNum("No digits"), QString());
    EXPECT_EQ(TruncFromNum("No digits"), QString());
    EXPECT_EQ(TruncToNum(QString::fromUtf8("\u0663 Arabic-Indic three is no decimal digit")), QString());
}

TEST(Text, AsciiBytesToString) {
    const QByteArray bytes("A\0B\x80\xE9", 5);
    EXPECT_EQ(AsciiBytesToString(bytes, true, true), QString::fromUtf8("AB€é"));
    EXPECT_EQ(AsciiBytesToString(bytes, false, true), QString::fromUtf8("A B€é"));
    EXPECT_EQ(AsciiBytesToString(bytes, false, false), QString::fromUtf8("A") + QChar(0) + QString::fromUtf8("B€é"));
    EXPECT_EQ(AsciiBytesToString(QByteArray(), false, false), QString());
}

TEST(UsefulFuncs, MaxAndMinReturnTheSecondOnATie) {
    EXPECT_EQ(Max(3, 5), 5);
    EXPECT_EQ(Max(5, 3), 5);
    EXPECT_EQ(Min(2, 7.5), 2.0);
    EXPECT_EQ(Min(QStringLiteral("b"), QStringLiteral("a")), QStringLiteral("a"));
    EXPECT_EQ(Max(QStringLiteral("B"), QStringLiteral("a")), QStringLiteral("a"));  // by character code
    // On a tie the second argument comes back (seen through which object it is).
    struct Tagged {
        int value;
        int tag;
        bool operator>(const Tagged& o) const { return value > o.value; }
        bool operator<(const Tagged& o) const { return value < o.value; }
    };
    EXPECT_EQ(Max(Tagged{3, 1}, Tagged{3, 2}).tag, 2);
    EXPECT_EQ(Min(Tagged{3, 1}, Tagged{3, 2}).tag, 2);
}

TEST(UsefulFuncs, PauseYieldsAndStopsOnTheAbortFlag) {
    // Already aborted: one yield, then back at once.
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    bool abort = true;
    QElapsedTimer clock;
    clock.start();
    Pause(5.0f, abort);
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_TRUE(ran);

    // Zero seconds still yields once.
    ran = false;
    abort = false;
    QTimer::singleShot(0, [&] { ran = true; });
    Pause(0.0f, abort);
    EXPECT_TRUE(ran);

    // A handler run during the wait ends it.
    abort = false;
    QTimer::singleShot(50, [&] { abort = true; });
    clock.restart();
    Pause(10.0f, abort);
    EXPECT_LT(clock.elapsed(), 5000);

    // Otherwise it waits the whole time.
    abort = false;
    clock.restart();
    Pause(0.2f, abort);
    EXPECT_GE(clock.elapsed(), 200);
}

TEST(Radix, BinaryAndBytes) {
    EXPECT_EQ(Binary2Decimal("101"), 5);
    EXPECT_EQ(Binary2Decimal("1x1"), 5);
    EXPECT_EQ(Binary2Decimal(""), 0);
    EXPECT_EQ(Binary2Decimal(QString(31, QLatin1Char('1'))), 2147483647);
    EXPECT_EQ(Binary2Decimal(QString(40, QLatin1Char('0')) + "11"), 3);  // leading zeros count for nothing
    try {
        Binary2Decimal("1" + QString(31, QLatin1Char('0')));
        FAIL() << "no error";
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::Overflow);
        EXPECT_TRUE(e.description().contains("|Binary2Decimal;1000"));
    }

    EXPECT_EQ(BytesToBits(QByteArray("\x05", 1)), QStringLiteral("00000101"));
    EXPECT_EQ(BytesToBits(QByteArray("\xFF\x00\x80", 3)), QStringLiteral("111111110000000010000000"));
    EXPECT_EQ(BytesToBits(QByteArray()), QString());

    EXPECT_EQ(BytesToLong(QByteArray("\x01\x02", 2)), 258);
    EXPECT_EQ(BytesToLong(QByteArray("\x00\x00\x01\x00", 4)), 256);
    EXPECT_EQ(BytesToLong(QByteArray("\x7F\xFF\xFF\xFF", 4)), 2147483647);
    EXPECT_EQ(BytesToLong(QByteArray("\x00\x00\x00\x00\x01", 5)), 1);
    for (const QByteArray& overflowing : {QByteArray("\x80\x00\x00\x00", 4), QByteArray("\x01\x00\x00\x00\x00", 5)}) {
        try {
            BytesToLong(overflowing);
            ADD_FAILURE() << "no error";
        } catch (const SvError& e) {
            EXPECT_EQ(e.number(), ErrNo::Overflow);
            EXPECT_TRUE(e.description().endsWith("|BytesToLong"));
        }
    }
}

TEST(Radix, HexTexts) {
    struct {
        const char* text;
        bool hex;
    } cases[] = {{"0xFF", true}, {"ff", true},   {"09afAF", true}, {"0X1F", false},
                 {"0x", false},  {"", false},    {"G1", false},    {"0x0x1", false}};
    for (const auto& c : cases) EXPECT_EQ(IsHex(c.text), c.hex) << c.text;

    EXPECT_EQ(ZHex(255, 4, true), QStringLiteral("0x00FF"));
    EXPECT_EQ(ZHex(255, 1, false), QStringLiteral("F"));
    EXPECT_EQ(ZHex(0, 2, false), QStringLiteral("00"));
    EXPECT_EQ(ZHex(-1, 8, false), QStringLiteral("FFFFFFFF"));
    EXPECT_EQ(ZHex(-2, 4, false), QStringLiteral("FFFF"));
    EXPECT_EQ(ZHex(0xABCDEF, 6, true), QStringLiteral("0xABCDEF"));
}
