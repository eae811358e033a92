#include "foundation/ListFiles.h"

#include "foundation/Errors.h"
#include "foundation/FileUtils.h"
#include "foundation/MessageUi.h"
#include "foundation/NativePath.h"
#include "foundation/ResourceStrings.h"
#include "foundation/codec/Cp1252.h"

#include <QAbstractItemModel>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <vector>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kCrLf2 = QStringLiteral("\r\n\r\n");

[[noreturn]] void RaisePlainErrno(int err, bool writing) {
    const int32_t number = ErrnoToErrorNumber(err, writing);
    throw SvError(number, QStringLiteral("Sonivard"), StandardErrorText(number));
}

// Strict UTF-8 check: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(const char* text, size_t size) {
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    size_t i = 0;
    while (i < size) {
        // Eight ASCII bytes at a time.
        while (i + 8 <= size) {
            uint64_t block;
            std::memcpy(&block, s + i, 8);
            if (block & 0x8080808080808080ull) break;
            i += 8;
        }
        if (i >= size) break;
        const unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        size_t need;
        unsigned char lo = 0x80, hi = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) need = 1;
        else if (c == 0xE0) need = 2, lo = 0xA0;
        else if (c >= 0xE1 && c <= 0xEC) need = 2;
        else if (c == 0xED) need = 2, hi = 0x9F;
        else if (c >= 0xEE && c <= 0xEF) need = 2;
        else if (c == 0xF0) need = 3, lo = 0x90;
        else if (c >= 0xF1 && c <= 0xF3) need = 3;
        else if (c == 0xF4) need = 3, hi = 0x8F;
        else return false;
        if (i + need >= size) return false;
        if (s[i + 1] < lo || s[i + 1] > hi) return false;
        for (size_t k = 2; k <= need; ++k)
            if (s[i + k] < 0x80 || s[i + k] > 0xBF) return false;
        i += need + 1;
    }
    return true;
}

// Decodes one line into a reusable buffer (UTF-8, or Windows-1252 when the
// bytes are not UTF-8) and returns a view of it.  No allocation once the
// buffer has grown to the longest line.
class LineDecoder {
public:
    QStringView decode(const char* text, size_t size, bool utf8) {
        // A byte-order mark counts only at the start of the file (FileLines
        // skips it there, and makes a line of one mark alone an empty line);
        // at the start of a line it is text like any other.
        QStringDecoder decoder(QStringDecoder::Utf8,
                               QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        const qsizetype need = std::max(decoder.requiredSpace(qsizetype(size)), qsizetype(size));
        if (m_buffer.size() < need) m_buffer.resize(need + 64);
        QChar* const out = m_buffer.data();
        QChar* end = out;
        if (utf8) {
            end = decoder.appendToBuffer(out, QByteArrayView(text, qsizetype(size)));
        } else {
            for (size_t i = 0; i < size; ++i) *end++ = QChar(cp1252::DecodeByte(static_cast<unsigned char>(text[i])));
        }
        return QStringView(out, end - out);
    }

private:
    QString m_buffer;
};

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

// A line of nothing but a byte-order mark: one that another file joined on
// brought along, not text of the line.
bool IsMarkOnly(const char* line, size_t length) { return length == 3 && std::memcmp(line, kByteOrderMark, 3) == 0; }

// Reads a file line by line through one reusable buffer (no copy of the
// whole file is ever held): CR LF, LF and a lone CR each end a line, and a
// UTF-8 byte-order mark at the start is skipped.  A line of nothing but a
// mark further on reads as an empty line (as the last line, without a line
// end, it is no line, as an empty one would be).  Raises the platform error
// (as a read) when the file cannot be opened or read.
class FileLines {
public:
    explicit FileLines(const QString& path) : FileLines(::open(NativePath(path).constData(), O_RDONLY | O_CLOEXEC)) {}
    // Takes over `fd` (reads from its current position); -1 is the failed
    // open whose errno is raised.
    explicit FileLines(int fd) : m_fd(fd), m_buffer(1 << 20) {
        if (m_fd < 0) RaisePlainErrno(errno, false);
        fill();
        if (m_end - m_start >= 3 && std::memcmp(m_buffer.data(), kByteOrderMark, 3) == 0) m_start = 3;
    }
    ~FileLines() {
        if (m_fd >= 0) ::close(m_fd);
    }
    FileLines(const FileLines&) = delete;
    FileLines& operator=(const FileLines&) = delete;

    // True when nothing but (perhaps) a byte-order mark was read.
    bool empty() const { return m_start == m_end && m_eof; }

    // The next line (without its line end), valid until the next call.
    bool next(const char*& line, size_t& length) {
        size_t scanFrom = m_start;
        for (;;) {
            const char* const base = m_buffer.data();
            size_t p = scanFrom;
            while (p < m_end && base[p] != '\n' && base[p] != '\r') ++p;
            // A line end is certain once its CR is not the last byte read.
            if (p < m_end && !(base[p] == '\r' && p + 1 == m_end && !m_eof)) {
                line = base + m_start;
                length = p - m_start;
                size_t after = p + 1;
                if (base[p] == '\r' && after < m_end && base[after] == '\n') ++after;
                m_start = after;
                if (IsMarkOnly(line, length)) length = 0;
                return true;
            }
            if (m_eof) {
                if (m_start == m_end) return false;
                line = base + m_start;
                length = m_end - m_start;
                m_start = m_end;
                return !IsMarkOnly(line, length);
            }
            scanFrom = p - m_start;  // resume the scan after what was searched
            fill();
            scanFrom += m_start;
        }
    }

private:
    // Moves the unread rest to the front and reads more after it.
    void fill() {
        if (m_start > 0) {
            std::memmove(m_buffer.data(), m_buffer.data() + m_start, m_end - m_start);
            m_end -= m_start;
            m_start = 0;
        }
        if (m_end == m_buffer.size()) m_buffer.resize(m_buffer.size() * 2);  // a very long line
        for (;;) {
            const ssize_t n = ::read(m_fd, m_buffer.data() + m_end, m_buffer.size() - m_end);
            if (n < 0) {
                if (errno == EINTR) continue;
                RaisePlainErrno(errno, false);
            }
            if (n == 0) m_eof = true;
            m_end += size_t(n);
            return;
        }
    }

    int m_fd = -1;
    std::vector<char> m_buffer;
    size_t m_start = 0;
    size_t m_end = 0;
    bool m_eof = false;
};

// ---- escapes ----------------------------------------------------------------------

// What a line cannot carry as it is, a control character (ESC among them)
// or a kept byte of a name that is not UTF-8 (foundation/NativePath.h), is
// written as ESC and two hexadecimal digits; a cell without either is
// written exactly as it always was.
constexpr char16_t kEscape = 0x1B;

// True when the text holds something that is written escaped (or a
// surrogate, which the slow path looks at more closely).
bool MayNeedEscapes(QStringView text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0xD800 && u <= 0xDFFF)) return true;
    }
    return false;
}

QString Escaped(QStringView text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    QString out;
    out.reserve(text.size() + 8);
    const auto escape = [&](unsigned value) {
        out += QChar(kEscape);
        out += QLatin1Char(kHex[value >> 4]);
        out += QLatin1Char(kHex[value & 0xF]);
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
            out += text[i];
            out += text[++i];  // a pair: one character
        } else if (u < 0x20) {
            escape(u);
        } else if (IsKeptByte(u)) {
            escape(KeptByteValue(u));
        } else {
            out += text[i];
        }
    }
    return out;
}

int HexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    return -1;
}

// The cell's text with its escapes undone: below 0x80 the character of that
// code, from 0x80 on the kept byte.  An ESC without two digits after it
// stays as it is.
QString Unescaped(QStringView cell) {
    QString out;
    out.reserve(cell.size());
    for (qsizetype i = 0; i < cell.size(); ++i) {
        const int high = cell[i] == QChar(kEscape) && i + 2 < cell.size() ? HexDigit(cell[i + 1]) : -1;
        const int low = high >= 0 ? HexDigit(cell[i + 2]) : -1;
        if (low < 0) {
            out += cell[i];
            continue;
        }
        const unsigned value = unsigned(high << 4 | low);
        out += QChar(value < 0x80 ? char16_t(value) : KeptByteCode(static_cast<unsigned char>(value)));
        i += 2;
    }
    return out;
}

// Appends `text` as UTF-8, escaped where it must be.
void AppendCell(QByteArray& out, QStringView text) {
    QString escaped;
    if (MayNeedEscapes(text)) text = escaped = Escaped(text);
    const qsizetype start = out.size();
    QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    const qsizetype need = start + encoder.requiredSpace(text.size());
    if (out.capacity() < need) out.reserve(std::max(out.capacity() * 2, need));
    out.resize(need);
    char* const end = encoder.appendToBuffer(out.data() + start, text);
    out.resize(end - out.constData());
}

bool IsReadOnlyFile(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat st;
    if (::stat(native.constData(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    return !(st.st_mode & S_IWUSR) || ::access(native.constData(), W_OK) != 0;
}

class LoadGuard {
public:
    explicit LoadGuard(IListFileModel& list) : m_list(list) { m_list.beginLoad(); }
    ~LoadGuard() { m_list.endLoad(); }
    LoadGuard(const LoadGuard&) = delete;
    LoadGuard& operator=(const LoadGuard&) = delete;

private:
    IListFileModel& m_list;
};

}  // namespace

// ---- item-model adapter -------------------------------------------------------------

ItemModelListFile::ItemModelListFile(QAbstractItemModel& model, QString listName)
    : m_model(model), m_name(std::move(listName)) {}

int ItemModelListFile::rowCount() const { return m_model.rowCount(); }
int ItemModelListFile::columnCount() const { return m_model.columnCount(); }

bool ItemModelListFile::isChecked(int row) const {
    return m_model.data(m_model.index(row, 0), Qt::CheckStateRole).toInt() == Qt::Checked;
}

QString ItemModelListFile::cellText(int row, int column) const {
    return m_model.data(m_model.index(row, column), Qt::DisplayRole).toString();
}

void ItemModelListFile::clearRows() {
    if (m_model.rowCount() > 0) m_model.removeRows(0, m_model.rowCount());
}

void ItemModelListFile::appendRow(bool checked, std::span<const QStringView> cells) {
    const int row = m_model.rowCount();
    if (!m_model.insertRows(row, 1)) return;
    for (int c = 0; c < int(cells.size()) && c < m_model.columnCount(); ++c)
        m_model.setData(m_model.index(row, c), cells[size_t(c)].toString(), Qt::EditRole);
    m_model.setData(m_model.index(row, 0), checked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

// ---- writer -----------------------------------------------------------------------

namespace {
// Formats the list file and hands it on in pieces of about 1 MB.
void FormatListFile(const IListFileModel& list, const std::function<void(const QByteArray&)>& sink) {
    constexpr qsizetype kPiece = 1 << 20;
    const int rows = list.rowCount();
    const int columns = list.columnCount();
    QByteArray out;
    out.reserve(kPiece + 4096);
    AppendCell(out, list.listName());
    out += "\r\n";
    for (int r = 0; r < rows; ++r) {
        out += list.isChecked(r) ? '1' : '0';
        for (int c = 0; c < columns; ++c) {
            AppendCell(out, list.cellText(r, c));
            out += '\t';
        }
        out += "\r\n";
        if (out.size() >= kPiece) {
            sink(out);
            out.resize(0);
        }
    }
    if (!out.isEmpty()) sink(out);
}
}  // namespace

QByteArray ListFileBytes(const IListFileModel& list) {
    QByteArray all;
    FormatListFile(list, [&](const QByteArray& piece) { all += piece; });
    return all;
}

void WriteListFile(const IListFileModel& list, const QString& path) {
    AtomicFileWriter file(path);
    FormatListFile(list, [&](const QByteArray& piece) { file.write(piece); });
    file.commit();
}

bool SaveListViewToTextFile(const IListFileModel& list, const std::function<QString()>& chooseSavePath,
                            const QString& emptyListText) {
    QString path;
    try {
        if (list.rowCount() == 0) {
            MsgBox(emptyListText, Mb::OKOnly | Mb::Exclamation, GetResourceString(TextId::Common::ListEmpty));
            return false;
        }
        path = chooseSavePath ? chooseSavePath() : QString();
        if (path.isEmpty()) return false;
        if (IsReadOnlyFile(path)) {
            MsgBox(path + kCrLf2 + GetResourceString(TextId::Common::CannotSaveFileAccessError),
                   Mb::OKOnly | Mb::Exclamation, GetResourceString(TextId::Common::PathFileAccessError));
            return false;
        }
        WriteListFile(list, path);
        return true;
    } catch (...) {
        const SvError error = CurrentError();
        switch (error.number()) {
        case ErrNo::PermissionDenied:
            MsgBox(path + kCrLf2 + GetResourceString(TextId::Common::CannotSaveFile) + error.description() +
                       GetResourceString(TextId::Common::FileMayBeLocked),
                   Mb::OKOnly | Mb::Exclamation, GetResourceString(TextId::Common::PermissionDenied));
            return false;
        case ErrNo::PathFileAccess:
            MsgBox(path + kCrLf2 + GetResourceString(TextId::Common::CannotSaveFile) + error.description() +
                       GetResourceString(TextId::Common::FileMayBeReadOnly),
                   Mb::OKOnly | Mb::Exclamation, GetResourceString(TextId::Common::PathFileAccessError));
            return false;
        case ErrNo::CommonDialogCancel: return false;
        default: PropagateError(CallSite(QStringLiteral("SaveListViewToTextFile"), list.listName(), emptyListText));
        }
    }
}

// ---- reader -----------------------------------------------------------------------

void LoadTextFileToListView(IListFileModel& list, const QString& path, const QString& invalidFileText) {
    try {
        if (!FileExists(path)) return;
        FileLines lines(path);
        LineDecoder decoder;
        const char* line = nullptr;
        size_t length = 0;
        if (lines.empty() || !lines.next(line, length) ||
            decoder.decode(line, length, IsValidUtf8(line, length)) != list.listName()) {
            MsgBox(invalidFileText, Mb::OKOnly | Mb::Exclamation, GetResourceString(TextId::Common::InvalidFile));
            return;
        }

        const int columns = list.columnCount();
        std::vector<QStringView> cells(size_t(std::max(columns, 0)));
        std::vector<QString> unescaped(cells.size());  // the cells that held escapes
        LoadGuard guard(list);
        list.clearRows();
        while (lines.next(line, length)) {
            const QStringView text = decoder.decode(line, length, IsValidUtf8(line, length));
            if (text.isEmpty()) continue;
            const bool checked = text.front() == QLatin1Char('1');
            // The fields start after the check mark (one character).
            qsizetype pos = (text.front().isHighSurrogate() && text.size() > 1) ? 2 : 1;
            bool exhausted = false;
            for (QStringView& cell : cells) {
                const qsizetype tab = exhausted || pos >= text.size() ? -1 : text.indexOf(QLatin1Char('\t'), pos);
                if (tab < 0) {
                    // No TAB follows: the field (and every later one) is empty.
                    exhausted = true;
                    cell = QStringView();
                    continue;
                }
                cell = text.sliced(pos, tab - pos);
                pos = tab + 1;
            }
            if (std::memchr(line, kEscape, length)) {
                for (size_t c = 0; c < cells.size(); ++c)
                    if (cells[c].contains(QChar(kEscape))) cells[c] = unescaped[c] = Unescaped(cells[c]);
            }
            list.appendRow(checked, cells);
        }
    } catch (...) {
        const SvError error = CurrentError();
        if (error.number() == ErrNo::PermissionDenied) {
            MsgBox(
                FileNamePart(path) + kCrLf2 + error.description() + GetResourceString(TextId::Common::FileMayBeLocked),
                Mb::OKOnly | Mb::Exclamation, GetResourceString(TextId::Common::PermissionDenied));
            return;
        }
        PropagateError(CallSite(QStringLiteral("LoadTextFileToListView"), list.listName(), path, invalidFileText));
    }
}

QString GetTextFromFile(const QString& path) {
    try {
        FileLines lines(path);
        QString text;
        LineDecoder decoder;
        const char* line = nullptr;
        size_t length = 0;
        while (lines.next(line, length)) {
            text += decoder.decode(line, length, IsValidUtf8(line, length));
            text += QLatin1String("\r\n");
        }
        return text;
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("GetTextFromFile"), path));
    }
}

struct TextFileLines::Reader {
    explicit Reader(const QString& path) : lines(path) {}
    explicit Reader(int fd) : lines(fd) {}
    FileLines lines;
    LineDecoder decoder;
};

TextFileLines::TextFileLines(const QString& path) : m_reader(std::make_unique<Reader>(path)) {}
TextFileLines::TextFileLines(int fd) : m_reader(std::make_unique<Reader>(fd)) {}
TextFileLines::~TextFileLines() = default;

bool TextFileLines::next(QStringView& line) {
    const char* text = nullptr;
    size_t length = 0;
    if (!m_reader->lines.next(text, length)) return false;
    line = m_reader->decoder.decode(text, length, IsValidUtf8(text, length));
    return true;
}

bool IsValidUtf8Text(QByteArrayView bytes) { return IsValidUtf8(bytes.data(), size_t(bytes.size())); }

QString DecodeTextFile(QByteArrayView bytes, MarkOnlyLine markOnly) {
    if (bytes.startsWith(kByteOrderMark)) bytes = bytes.sliced(3);
    QString text;
    if (IsValidUtf8(bytes.data(), size_t(bytes.size()))) {
        // As the line reader: a second mark is text (fromUtf8 would drop it).
        text = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom).decode(bytes);
    } else {
        text.reserve(bytes.size());
        LineDecoder decoder;
        for (const char *p = bytes.data(), *const end = p + bytes.size(); p < end;) {
            const char* stop = p;
            while (stop < end && *stop != '\n' && *stop != '\r') ++stop;
            text += decoder.decode(p, size_t(stop - p), IsValidUtf8(p, size_t(stop - p)));
            if (stop == end) break;
            text += QChar(*stop);  // the line end, made one LF below
            p = stop + 1;
        }
    }
    if (text.contains(QLatin1Char('\r'))) {
        QChar* const data = text.data();
        const qsizetype n = text.size();
        qsizetype out = 0;
        for (qsizetype i = 0; i < n; ++i) {
            if (data[i] != QLatin1Char('\r')) {
                data[out++] = data[i];
                continue;
            }
            data[out++] = QLatin1Char('\n');
            if (i + 1 < n && data[i + 1] == QLatin1Char('\n')) ++i;
        }
        text.truncate(out);
    }
    if (markOnly == MarkOnlyLine::Empty && text.contains(QChar(0xFEFF))) {
        // A line of nothing but a mark is an empty line, as the line reader
        // reads it.
        QChar* const data = text.data();
        const qsizetype n = text.size();
        qsizetype out = 0;
        bool lineStart = true;
        for (qsizetype i = 0; i < n; ++i) {
            const QChar c = data[i];
            if (!(c == QChar(0xFEFF) && lineStart && (i + 1 == n || data[i + 1] == QLatin1Char('\n')))) data[out++] = c;
            lineStart = c == QLatin1Char('\n');
        }
        text.truncate(out);
    }
    return text;
}
