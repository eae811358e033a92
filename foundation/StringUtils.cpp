#include "foundation/StringUtils.h"

#include "foundation/Errors.h"
#include "foundation/codec/Cp1252.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <cmath>

namespace {

bool IsDecimalDigit(QChar c) { return c.unicode() >= u'0' && c.unicode() <= u'9'; }

constexpr double kTwoTo31 = 2147483648.0;

}  // namespace

QString Capitalise(const QString& text) {
    if (text.isEmpty()) return text;
    // The first character is a whole code point (a surrogate pair stays together).
    const qsizetype first = (text.size() > 1 && text[0].isHighSurrogate() && text[1].isLowSurrogate()) ? 2 : 1;
    return text.left(first).toUpper() + text.mid(first).toLower();
}

bool IsAlphabetic(const QString& character) {
    static const struct {
        QString lo, hi;
    } ranges[] = {
        {QStringLiteral("A"), QStringLiteral("Z")},
        {QStringLiteral("a"), QStringLiteral("z")},
        {QString(QChar(0xC0)), QString(QChar(0xD6))},
        {QString(QChar(0xD8)), QString(QChar(0xF6))},
        {QString(QChar(0xF8)), QString(QChar(0xFF))},
    };
    if (character.isEmpty()) return false;
    for (const auto& r : ranges)
        if (character >= r.lo && character <= r.hi) return true;
    return false;
}

QString TerminateAtNull(const QString& text) {
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

QString TrimBlanks(QString& text) {
    static const QString set = QStringLiteral(" ") + QChar(0);
    return TrimChars(text, set);
}

QString TrimChars(QString& text, const QString& chars) {
    qsizetype b = 0, e = text.size();
    bool removed = !chars.isEmpty();
    while (removed) {
        removed = false;
        for (QChar c : chars) {
            if (b < e && text[b] == c) {
                ++b;
                removed = true;
            }
            if (b < e && text[e - 1] == c) {
                --e;
                removed = true;
            }
        }
    }
    if (b != 0 || e != text.size()) text = text.mid(b, e - b);
    return text;
}

QString PadChars(const QString& text, int16_t length, const QString& pad, int32_t side) {
    try {
        if (length < 0) RaiseError(ErrNo::InvalidCall);
        if (length < text.size()) return text.left(length);
        if (length == text.size()) return text;
        if (pad.isEmpty()) RaiseError(ErrNo::InvalidCall);
        const QString fill(length - text.size(), pad[0]);
        return side != 0 ? fill + text : text + fill;
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("PadChars"), text, length, pad, side));
    }
}

QString TruncToNum(QString text) {
    for (qsizetype i = 0; i < text.size(); ++i)
        if (IsDecimalDigit(text[i])) return text.mid(i);
    return QString();
}

QString TruncFromNum(QString text) {
    for (qsizetype i = text.size() - 1; i >= 0; --i)
        if (IsDecimalDigit(text[i])) return text.left(i + 1);
    return QString();
}

QString AsciiBytesToString(const QByteArray& bytes, bool skipNul, bool nulAsSpace) {
    QString out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b == 0) {
            if (skipNul) continue;
            out += nulAsSpace ? QChar(u' ') : QChar(0);
            continue;
        }
        out += QChar(cp1252::DecodeByte(b));
    }
    return out;
}

void Pause(float seconds, bool& abort) {
    QElapsedTimer clock;
    clock.start();
    const qint64 limitNs = seconds > 0 ? static_cast<qint64>(static_cast<double>(seconds) * 1e9) : 0;
    QCoreApplication* app = QCoreApplication::instance();
    if (app) QCoreApplication::processEvents();
    else QThread::yieldCurrentThread();
    // Wait in short slices so the event loop sleeps between events instead of
    // spinning, and the abort flag is seen soon after a handler sets it.
    while (!abort && clock.nsecsElapsed() <= limitNs) {
        const qint64 leftMs = (limitNs - clock.nsecsElapsed()) / 1000000 + 1;
        const int sliceMs = static_cast<int>(std::min<qint64>(leftMs, 10));
        if (app) {
            QEventLoop loop;
            QTimer::singleShot(sliceMs, &loop, &QEventLoop::quit);
            loop.exec();
        } else {
            QThread::msleep(static_cast<unsigned long>(sliceMs));
        }
    }
}

int32_t Binary2Decimal(const QString& bits) {
    try {
        double value = 0.0;
        const qsizetype n = bits.size();
        for (qsizetype i = 0; i < n; ++i) {
            if (bits[i] != QLatin1Char('1')) continue;
            value += std::ldexp(1.0, static_cast<int>(std::min<qsizetype>(n - 1 - i, 64)));
            if (value >= kTwoTo31) RaiseError(ErrNo::Overflow);
        }
        return static_cast<int32_t>(value);
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("Binary2Decimal"), bits));
    }
}

QString BytesToBits(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size() * 8);
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        for (int bit = 7; bit >= 0; --bit) out += (b >> bit) & 1 ? QLatin1Char('1') : QLatin1Char('0');
    }
    return out;
}

int32_t BytesToLong(const QByteArray& bytes) {
    try {
        double value = 0.0;
        const qsizetype n = bytes.size();
        for (qsizetype i = 0; i < n; ++i) {
            const auto b = static_cast<unsigned char>(bytes[i]);
            if (b == 0) continue;
            value += b * std::pow(256.0, static_cast<double>(std::min<qsizetype>(n - 1 - i, 8)));
            if (value >= kTwoTo31) RaiseError(ErrNo::Overflow);
        }
        return static_cast<int32_t>(value);
    } catch (...) {
        PropagateError(QStringLiteral("BytesToLong"));
    }
}

bool IsHex(const QString& text) {
    const QStringView digits = text.startsWith(QLatin1String("0x")) ? QStringView(text).mid(2) : QStringView(text);
    if (digits.isEmpty()) return false;
    for (QChar c : digits) {
        const char16_t u = c.unicode();
        const bool ok = (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
        if (!ok) return false;
    }
    return true;
}

QString ZHex(int32_t value, int16_t digits, bool prefix) {
    try {
        const QString hex = QString::number(static_cast<uint32_t>(value), 16).toUpper();
        const QString padded = PadChars(hex, digits, QStringLiteral("0"), 1);
        return prefix ? QStringLiteral("0x") + padded : padded;
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("ZHex"), value, digits, prefix));
    }
}
