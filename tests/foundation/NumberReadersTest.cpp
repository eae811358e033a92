// The two readers of leading numbers: LeadingNumber for what users type,
// LenientNumber for stored settings.  They agree on ordinary numbers and must
// differ where a stored value is a machine word and a typed one is not.

#include "foundation/Errors.h"
#include "foundation/NumberText.h"
#include "foundation/SettingsStore.h"

#include <gtest/gtest.h>

TEST(NumberReaders, AgreeOnOrdinaryNumbersAndDifferOnCarriageReturnsAndHexWords) {
    struct Case {
        const char* text;
        double typed, stored;
    };
    for (const Case& c : {Case{"42", 42, 42}, Case{" 4 2", 42, 42}, Case{"\t-3.5e2", -350, -350},
                          Case{"12abc", 12, 12}, Case{"abc", 0, 0}, Case{"1.5.2", 1.5, 1.5}, Case{"&O17", 15, 15},
                          Case{"&H1F", 31, 31}, Case{"&H10000", 65536, 65536},
                          // A carriage return is a blank in a typed text (a pasted line end) but
                          // ends a stored value.
                          Case{"1\r2", 12, 1},
                          // A stored &H number is a 16- or 32-bit word and reads back signed; a
                          // typed one is a count and never turns negative.
                          Case{"&HFFFF", 65535, -1}, Case{"&HFFFFFFFF", 4294967295.0, -1}}) {
        const QString text = QString::fromLatin1(c.text);
        EXPECT_EQ(LeadingNumber(text), c.typed) << c.text;
        EXPECT_EQ(LenientNumber(text), c.stored) << c.text;
    }
    // A stored word wider than 32 bits is an overflow; typed, it is just large.
    EXPECT_EQ(LeadingNumber(QStringLiteral("&H100000000")), 4294967296.0);
    try {
        LenientNumber(QStringLiteral("&H100000000"));
        ADD_FAILURE() << "no overflow";
    } catch (const SvError& e) {
        EXPECT_EQ(e.number(), ErrNo::Overflow);
    }
}
