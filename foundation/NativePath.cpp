#include "foundation/NativePath.h"

#include "foundation/codec/Cp1252.h"

namespace {
// The length of the valid UTF-8 sequence at `p` (1 to 4), or 0.
int SequenceLength(const unsigned char* p, const unsigned char* end) {
    const unsigned char b = p[0];
    if (b < 0x80) return 1;
    int n;
    char32_t min;
    char32_t c;
    if ((b & 0xE0) == 0xC0) {
        n = 2, min = 0x80, c = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
        n = 3, min = 0x800, c = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
        n = 4, min = 0x10000, c = b & 0x07;
    } else {
        return 0;
    }
    if (end - p < n) return 0;
    for (int i = 1; i < n; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        c = (c << 6) | (p[i] & 0x3F);
    }
    // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
    if (c < min || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return 0;
    return n;
}
}  // namespace

QString PathFromNative(const char* bytes, qsizetype length) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes);
    const auto* end = p + length;
    // Most names are valid UTF-8 through and through.
    const unsigned char* q = p;
    while (q < end) {
        const int n = SequenceLength(q, end);
        if (n == 0) break;
        q += n;
    }
    if (q == end) return QString::fromUtf8(bytes, length);

    QString text = QString::fromUtf8(bytes, q - p);
    text.reserve(length);
    while (q < end) {
        const unsigned char* run = q;
        while (q < end) {
            const int n = SequenceLength(q, end);
            if (n == 0) break;
            q += n;
        }
        if (q > run) text += QString::fromUtf8(reinterpret_cast<const char*>(run), q - run);
        if (q < end) text += QChar(KeptByteCode(*q++));
    }
    return text;
}

bool HasRawBytes(QStringView path) {
    for (QChar c : path)
        if (IsKeptByte(c.unicode())) return true;
    return false;
}

QByteArray NativePath(QStringView path) {
    if (!HasRawBytes(path)) return path.toUtf8();
    QByteArray bytes;
    bytes.reserve(path.size() * 3);
    qsizetype runStart = 0;
    const qsizetype size = path.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = path[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(path[i + 1].unicode())) {
            ++i;  // a pair: its low half is no kept byte
            continue;
        }
        if (!IsKeptByte(c)) continue;
        bytes += path.mid(runStart, i - runStart).toUtf8();
        bytes += char(KeptByteValue(c));
        runStart = i + 1;
    }
    bytes += path.mid(runStart).toUtf8();
    return bytes;
}

QString PathForDisplay(const QString& path) {
    if (!HasRawBytes(path)) return path;
    QString shown = path;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const char16_t c = shown[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < shown.size() && QChar::isLowSurrogate(shown[i + 1].unicode())) {
            ++i;
            continue;
        }
        if (IsKeptByte(c)) shown[i] = QChar(cp1252::DecodeByte(KeptByteValue(c)));
    }
    return shown;
}

QUrl FileUrlFromPath(const QString& path) {
    if (!HasRawBytes(path)) return QUrl::fromLocalFile(path);
    // The percent-encoded bytes, so the receiver opens the very file.
    return QUrl::fromEncoded("file://" + NativePath(path).toPercentEncoding("/"), QUrl::StrictMode);
}

QString PathFromFileUrl(const QUrl& url) {
    if (!url.isLocalFile()) return QString();
    const QByteArray encodedPath = url.path(QUrl::FullyEncoded).toLatin1();
    const QString path = PathFromNative(QByteArray::fromPercentEncoding(encodedPath));
    return HasRawBytes(path) ? path : url.toLocalFile();
}
