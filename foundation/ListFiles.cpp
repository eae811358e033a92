#include "foundation/ListFiles.h"

#include "foundation/Errors.h"
#include "foundation/FileUtils.h"
#include "foundation/MessageUi.h"
#include "foundation/ResourceStrings.h"
#include "foundation/codec/Cp1252.h"

#include <QAbstractItemModel>
#include <QFile>

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

// The whole file; raises the platform error (as a read) on failure.
QByteArray ReadWholeFile(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) RaisePlainErrno(errno, false);
    struct stat st;
    QByteArray data;
    if (::fstat(fd, &st) == 0 && st.st_size > 0) data.reserve(qsizetype(st.st_size) + 1);
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            ::close(fd);
            RaisePlainErrno(err, false);
        }
        data.append(chunk, qsizetype(n));
    }
    ::close(fd);
    return data;
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

QString DecodeCp1252(const char* text, size_t size) {
    QString out(qsizetype(size), Qt::Uninitialized);
    QChar* d = out.data();
    for (size_t i = 0; i < size; ++i) d[i] = QChar(cp1252::DecodeByte(static_cast<unsigned char>(text[i])));
    return out;
}

QString Decode(const char* text, size_t size, bool utf8) {
    if (size == 0) return QString();
    return utf8 ? QString::fromUtf8(text, qsizetype(size)) : DecodeCp1252(text, size);
}

// Walks the lines of a byte buffer: CR LF, LF and a lone CR each end a line.
class LineReader {
public:
    LineReader(const char* begin, const char* end) : m_p(begin), m_end(end) {}
    bool next(const char*& line, size_t& length) {
        if (m_p >= m_end) return false;
        const char* p = m_p;
        while (p < m_end && *p != '\n' && *p != '\r') ++p;
        line = m_p;
        length = size_t(p - m_p);
        if (p < m_end) {
            if (*p == '\r') {
                ++p;
                if (p < m_end && *p == '\n') ++p;
            } else {
                ++p;
            }
        }
        m_p = p;
        return true;
    }

private:
    const char* m_p;
    const char* m_end;
};

// The text after a UTF-8 byte-order mark.
const char* SkipBom(const QByteArray& data) {
    const char* p = data.constData();
    if (data.size() >= 3 && static_cast<unsigned char>(p[0]) == 0xEF && static_cast<unsigned char>(p[1]) == 0xBB &&
        static_cast<unsigned char>(p[2]) == 0xBF)
        return p + 3;
    return p;
}

// Appends `text` as UTF-8 with TAB, CR and LF turned into blanks.
void AppendCell(QByteArray& out, const QString& text) {
    const qsizetype start = out.size();
    out += text.toUtf8();
    char* p = out.data() + start;
    char* const end = out.data() + out.size();
    for (; p < end; ++p)
        if (*p == '\t' || *p == '\r' || *p == '\n') *p = ' ';
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

void ItemModelListFile::appendRow(bool checked, QStringList cells) {
    const int row = m_model.rowCount();
    if (!m_model.insertRows(row, 1)) return;
    for (int c = 0; c < cells.size() && c < m_model.columnCount(); ++c)
        m_model.setData(m_model.index(row, c), cells[c], Qt::EditRole);
    m_model.setData(m_model.index(row, 0), checked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

// ---- writer -----------------------------------------------------------------------

QByteArray ListFileBytes(const IListFileModel& list) {
    const int rows = list.rowCount();
    const int columns = list.columnCount();
    QByteArray out;
    out.reserve(qsizetype(rows) * (columns * 12 + 4) + 64);
    AppendCell(out, list.listName());
    out += "\r\n";
    for (int r = 0; r < rows; ++r) {
        out += list.isChecked(r) ? '1' : '0';
        for (int c = 0; c < columns; ++c) {
            AppendCell(out, list.cellText(r, c));
            out += '\t';
        }
        out += "\r\n";
    }
    return out;
}

void WriteListFile(const IListFileModel& list, const QString& path) { WriteFileAtomically(path, ListFileBytes(list)); }

bool SaveListViewToTextFile(const IListFileModel& list, const std::function<QString()>& chooseSavePath,
                            const QString& emptyListText) {
    QString path;
    try {
        if (list.rowCount() == 0) {
            MsgBox(emptyListText, Mb::OKOnly | Mb::Exclamation, GetResourceString(204));
            return false;
        }
        path = chooseSavePath ? chooseSavePath() : QString();
        if (path.isEmpty()) return false;
        if (IsReadOnlyFile(path)) {
            MsgBox(path + kCrLf2 + GetResourceString(94), Mb::OKOnly | Mb::Exclamation, GetResourceString(93));
            return false;
        }
        WriteListFile(list, path);
        return true;
    } catch (...) {
        const SvError error = CurrentError();
        switch (error.number()) {
        case ErrNo::PermissionDenied:
            MsgBox(path + kCrLf2 + GetResourceString(141) + error.description() + GetResourceString(143),
                   Mb::OKOnly | Mb::Exclamation, GetResourceString(144));
            return false;
        case ErrNo::PathFileAccess:
            MsgBox(path + kCrLf2 + GetResourceString(141) + error.description() + GetResourceString(142),
                   Mb::OKOnly | Mb::Exclamation, GetResourceString(93));
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
        const QByteArray data = ReadWholeFile(path);
        const char* begin = SkipBom(data);
        const char* const end = data.constData() + data.size();
        LineReader lines(begin, end);
        const char* line = nullptr;
        size_t length = 0;
        const bool wholeFileUtf8 = IsValidUtf8(begin, size_t(end - begin));
        if (begin == end || !lines.next(line, length) ||
            Decode(line, length, wholeFileUtf8 || IsValidUtf8(line, length)) != list.listName()) {
            MsgBox(invalidFileText, Mb::OKOnly | Mb::Exclamation, GetResourceString(205));
            return;
        }

        const int columns = list.columnCount();
        LoadGuard guard(list);
        list.clearRows();
        while (lines.next(line, length)) {
            if (length == 0) continue;
            const bool utf8 = wholeFileUtf8 || IsValidUtf8(line, length);
            const bool checked = line[0] == '1';
            // The fields start after the check mark (one character).
            size_t pos = 1;
            if (utf8) {
                const auto lead = static_cast<unsigned char>(line[0]);
                pos = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
            }
            QStringList cells;
            cells.reserve(columns);
            bool exhausted = false;
            for (int c = 0; c < columns; ++c) {
                const void* tab = (!exhausted && pos < length) ? std::memchr(line + pos, '\t', length - pos) : nullptr;
                if (!tab) {
                    // No TAB follows: the field (and every later one) is empty.
                    exhausted = true;
                    cells.append(QString());
                    continue;
                }
                const size_t stop = size_t(static_cast<const char*>(tab) - line);
                cells.append(Decode(line + pos, stop - pos, utf8));
                pos = stop + 1;
            }
            list.appendRow(checked, std::move(cells));
        }
    } catch (...) {
        const SvError error = CurrentError();
        if (error.number() == ErrNo::PermissionDenied) {
            MsgBox(FileNamePart(path) + kCrLf2 + error.description() + GetResourceString(143),
                   Mb::OKOnly | Mb::Exclamation, GetResourceString(144));
            return;
        }
        PropagateError(CallSite(QStringLiteral("LoadTextFileToListView"), list.listName(), path, invalidFileText));
    }
}

QString GetTextFromFile(const QString& path) {
    try {
        const QByteArray data = ReadWholeFile(path);
        const char* begin = SkipBom(data);
        const char* const end = data.constData() + data.size();
        const bool wholeFileUtf8 = IsValidUtf8(begin, size_t(end - begin));
        QString text;
        text.reserve(qsizetype(end - begin) + 64);
        LineReader lines(begin, end);
        const char* line = nullptr;
        size_t length = 0;
        while (lines.next(line, length)) {
            text += Decode(line, length, wholeFileUtf8 || IsValidUtf8(line, length));
            text += QLatin1String("\r\n");
        }
        return text;
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("GetTextFromFile"), path));
    }
}
