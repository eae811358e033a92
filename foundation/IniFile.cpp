#include "foundation/IniFile.h"

#include "foundation/Errors.h"
#include "foundation/codec/Cp1252.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kSource = QStringLiteral("Sonivard");

bool IsBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

QStringView TrimBlanksView(QStringView s) {
    qsizetype b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.mid(b, e - b);
}

void AppendUnicodeEscape(QString& out, char16_t c) {
    out += QStringLiteral("\\u");
    out += QStringLiteral("%1").arg(static_cast<uint>(c), 4, 16, QLatin1Char('0')).toUpper();
}

QString Escape(QStringView text, bool name) {
    QString out;
    out.reserve(text.size() + 8);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        switch (c) {
        case u'\\': out += QStringLiteral("\\\\"); continue;
        case u'\n': out += QStringLiteral("\\n"); continue;
        case u'\r': out += QStringLiteral("\\r"); continue;
        case u'\t': out += QStringLiteral("\\t"); continue;
        case u'\0': out += QStringLiteral("\\0"); continue;
        case u' ':
            if (i == 0 || i == n - 1) out += QStringLiteral("\\s");
            else out += QLatin1Char(' ');
            continue;
        default: break;
        }
        if (c < 0x20 || c == 0x7F) {
            AppendUnicodeEscape(out, c);
        } else if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(text[i + 1].unicode())) {
            out += text[i];
            out += text[i + 1];
            ++i;
        } else if (QChar::isSurrogate(c)) {
            AppendUnicodeEscape(out, c);  // a lone half would not survive UTF-8
        } else if (name && (c == u'=' || c == u'[' || c == u']' || c == 0xFEFF || (i == 0 && c == u';'))) {
            AppendUnicodeEscape(out, c);
        } else {
            out += text[i];
        }
    }
    return out;
}

int HexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    return -1;
}

// ---- file stamps and the parsed-file cache ----------------------------------

struct Stamp {
    bool exists = false;
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    timespec mtim{}, ctim{};
    bool operator==(const Stamp& o) const {
        return exists == o.exists && dev == o.dev && ino == o.ino && size == o.size &&
               mtim.tv_sec == o.mtim.tv_sec && mtim.tv_nsec == o.mtim.tv_nsec && ctim.tv_sec == o.ctim.tv_sec &&
               ctim.tv_nsec == o.ctim.tv_nsec;
    }
};

Stamp StampOf(const struct stat& st) {
    Stamp s;
    s.exists = true;
    s.dev = st.st_dev;
    s.ino = st.st_ino;
    s.size = st.st_size;
    s.mtim = st.st_mtim;
    s.ctim = st.st_ctim;
    return s;
}

struct CacheEntry {
    Stamp stamp;
    std::shared_ptr<const IniDocument> doc;
};

std::recursive_mutex& CacheMutex() {
    static std::recursive_mutex m;
    return m;
}

QHash<QString, CacheEntry>& Cache() {
    static QHash<QString, CacheEntry> cache;
    return cache;
}

QString CacheKey(const QString& path, IniSyntax syntax) {
    return (syntax == IniSyntax::Store ? QStringLiteral("S:") : QStringLiteral("P:")) + path;
}

// Reads the whole regular file.  Missing or not a regular file: exists=false.
// Returns false (errno set) on a read failure of an existing file.
bool ReadWholeFile(const QString& path, QByteArray& bytes, Stamp& stamp) {
    bytes.clear();
    stamp = Stamp{};
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT || errno == ENOTDIR;
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        errno = err;
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return true;
    }
    bytes.resize(static_cast<qsizetype>(st.st_size));
    qsizetype done = 0;
    for (;;) {
        if (done == bytes.size()) bytes.resize(bytes.size() + 4096);  // the file grew meanwhile
        const ssize_t r = ::read(fd, bytes.data() + done, static_cast<size_t>(bytes.size() - done));
        if (r < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            ::close(fd);
            errno = err;
            return false;
        }
        if (r == 0) break;
        done += r;
    }
    bytes.resize(done);
    ::close(fd);
    stamp = StampOf(st);
    return true;
}

std::shared_ptr<const IniDocument> ParseBytes(const QByteArray& bytes, IniSyntax syntax) {
    return std::make_shared<const IniDocument>(IniDocument::parse(DecodeIniBytes(bytes), syntax));
}

// Caller holds CacheMutex.  Unreadable files read as empty documents.
std::shared_ptr<const IniDocument> ReadCachedLocked(const QString& path, IniSyntax syntax) {
    auto& cache = Cache();
    const QString key = CacheKey(path, syntax);
    struct stat st {};
    const QByteArray native = QFile::encodeName(path);
    const bool exists = ::stat(native.constData(), &st) == 0 && S_ISREG(st.st_mode);
    Stamp now = exists ? StampOf(st) : Stamp{};
    auto it = cache.find(key);
    if (it != cache.end() && it->stamp == now) return it->doc;

    std::shared_ptr<const IniDocument> doc;
    if (!exists) {
        doc = std::make_shared<const IniDocument>();
    } else {
        QByteArray bytes;
        Stamp stamp;
        if (!ReadWholeFile(path, bytes, stamp)) {
            // Unreadable: behave as missing, and do not remember it.
            return std::make_shared<const IniDocument>();
        }
        doc = ParseBytes(bytes, syntax);
        now = stamp;
    }
    // Playlists are read through here too: keep the cache small.
    if (cache.size() > 32) cache.clear();
    cache.insert(key, CacheEntry{now, doc});
    return doc;
}

void RememberLocked(const QString& path, IniSyntax syntax, std::shared_ptr<const IniDocument> doc) {
    struct stat st {};
    const QByteArray native = QFile::encodeName(path);
    if (::stat(native.constData(), &st) != 0) {
        Cache().remove(CacheKey(path, syntax));
        return;
    }
    Cache().insert(CacheKey(path, syntax), CacheEntry{StampOf(st), std::move(doc)});
}

// The file a write goes to: a symbolic link is followed so the link stays.
QString WriteTarget(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    char resolved[PATH_MAX];
    struct stat st {};
    if (::lstat(native.constData(), &st) == 0 && S_ISLNK(st.st_mode) && ::realpath(native.constData(), resolved))
        return QFile::decodeName(resolved);
    return path;
}

// An exclusive lock of a folder for one read-change-write cycle.
class FolderLock {
public:
    explicit FolderLock(const QString& folder) {
        m_fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (m_fd >= 0) {
            while (::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
            }
        }
    }
    ~FolderLock() {
        if (m_fd >= 0) ::close(m_fd);  // closing releases the lock
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int m_fd = -1;
};

// Creates a missing folder and its missing parents (private to the user, as
// configuration folders are); raises the platform error of a failed step.
void EnsureFolder(const QString& folder) {
    const QByteArray native = QFile::encodeName(QDir::cleanPath(folder));
    struct stat st {};
    if (::stat(native.constData(), &st) == 0) {
        if (!S_ISDIR(st.st_mode)) RaiseErrno(ENOTDIR, true, kSource, folder);
        return;
    }
    for (qsizetype slash = native.indexOf('/', 1); ; slash = native.indexOf('/', slash + 1)) {
        const QByteArray part = slash < 0 ? native : native.left(slash);
        if (::mkdir(part.constData(), 0700) != 0 && errno != EEXIST) RaiseErrno(errno, true, kSource, folder);
        if (slash < 0) break;
    }
    if (::stat(native.constData(), &st) != 0 || !S_ISDIR(st.st_mode)) RaiseErrno(ENOTDIR, true, kSource, folder);
}

mode_t DefaultFileMode() {
    static const mode_t mode = [] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return static_cast<mode_t>(0666 & ~mask);
    }();
    return mode;
}

// ---- platform-syntax decoding --------------------------------------------------

bool IsAscii(QByteArrayView bytes) {
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// One line of an 8-bit file: UTF-8 when it is valid UTF-8, else Windows-1252.
QString DecodeEightBitLine(QByteArrayView bytes) {
    if (IsAscii(bytes)) return QString::fromLatin1(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    const std::u16string wide = cp1252::Decode(std::string_view(bytes.data(), static_cast<size_t>(bytes.size())));
    return QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size()));
}

bool IsSectionHeader(QStringView trimmed) { return trimmed.startsWith(QLatin1Char('[')); }

QString PlatformSectionName(QStringView trimmed) {
    QStringView inner = trimmed.mid(1);
    const qsizetype close = inner.indexOf(QLatin1Char(']'));
    if (close >= 0) inner = inner.left(close);
    return TrimBlanksView(inner).toString();
}

}  // namespace

// ---- IniDocument ---------------------------------------------------------------

IniDocument::Section* IniDocument::findSection(const QString& section) {
    auto it = m_index.constFind(Name{section});
    return it == m_index.constEnd() ? nullptr : &m_sections[static_cast<size_t>(*it)];
}

const IniDocument::Section* IniDocument::findSection(const QString& section) const {
    auto it = m_index.constFind(Name{section});
    return it == m_index.constEnd() ? nullptr : &m_sections[static_cast<size_t>(*it)];
}

IniDocument::Section& IniDocument::addSection(const QString& name) {
    auto it = m_index.constFind(Name{name});
    if (it != m_index.constEnd()) return m_sections[static_cast<size_t>(*it)];
    m_index.insert(Name{name}, static_cast<int>(m_sections.size()));
    m_sections.push_back(Section{name, {}, {}});
    return m_sections.back();
}

size_t qHash(const IniDocument::Name& name, size_t seed) noexcept {
    // FNV-1a over the case-folded code points, so names equal ignoring case
    // hash alike (the same folding as the comparison).
    size_t h = 1469598103934665603ull ^ seed;
    const QChar* p = name.text.constData();
    const QChar* const end = p + name.text.size();
    for (; p < end; ++p) {
        char32_t c = p->unicode();
        if (c < 0x80) {
            if (c >= u'A' && c <= u'Z') c += 32;
        } else if (p->isHighSurrogate() && p + 1 < end && p[1].isLowSurrogate()) {
            c = QChar::toCaseFolded(QChar::surrogateToUcs4(p[0], p[1]));
            ++p;
        } else {
            c = QChar::toCaseFolded(c);
        }
        h = (h ^ c) * 1099511628211ull;
    }
    return h;
}

void IniDocument::addEntry(Section& s, const QString& key, const QString& value) {
    const Name name{key};
    if (s.index.contains(name)) return;  // the first of equal keys counts
    s.index.insert(name, static_cast<int>(s.entries.size()));
    s.entries.emplace_back(key, value);
}

IniDocument IniDocument::parse(QStringView text, IniSyntax syntax) {
    IniDocument doc;
    if (text.startsWith(QChar(0xFEFF))) text = text.mid(1);
    Section* current = nullptr;
    bool skippingDuplicate = false;  // platform: a repeated section does not count
    qsizetype pos = 0;
    const qsizetype n = text.size();
    while (pos <= n) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), pos);
        if (end < 0) end = n;
        QStringView line = text.mid(pos, end - pos);
        pos = end + 1;
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        const QStringView t = TrimBlanksView(line);
        if (t.isEmpty() || t.startsWith(QLatin1Char(';'))) continue;
        if (IsSectionHeader(t)) {
            QString name;
            if (syntax == IniSyntax::Store) {
                QStringView inner = t.mid(1);
                if (inner.endsWith(QLatin1Char(']'))) inner.chop(1);
                name = UnescapeStoreText(TrimBlanksView(inner));
            } else {
                name = PlatformSectionName(t);
            }
            skippingDuplicate = syntax == IniSyntax::Platform && doc.m_index.contains(Name{name});
            current = &doc.addSection(name);
            continue;
        }
        const qsizetype eq = t.indexOf(QLatin1Char('='));
        if (eq < 0 || skippingDuplicate) continue;
        if (!current) current = &doc.addSection(QString());  // keys before any section
        const QStringView rawKey = TrimBlanksView(t.left(eq));
        QStringView rawValue = TrimBlanksView(t.mid(eq + 1));
        if (syntax == IniSyntax::Store) {
            addEntry(*current, UnescapeStoreText(rawKey), UnescapeStoreText(rawValue));
        } else {
            if (rawValue.size() >= 2 && (rawValue.front() == QLatin1Char('"') || rawValue.front() == QLatin1Char('\'')) &&
                rawValue.back() == rawValue.front())
                rawValue = rawValue.mid(1, rawValue.size() - 2);
            addEntry(*current, rawKey.toString(), rawValue.toString());
        }
        // A large section (a long playlist) is given room for the lines still
        // to come at once, instead of growing its index step by step.
        if (current->entries.size() == 4096) {
            const size_t rest = size_t(text.sliced(std::min(pos, n)).count(QLatin1Char('\n'))) + 1;
            current->entries.reserve(current->entries.size() + rest);
            current->index.reserve(qsizetype(current->entries.size() + rest));
        }
    }
    return doc;
}

QString IniDocument::toStoreText() const {
    QString out;
    // Keys before any section come first, without a header.
    if (const Section* loose = findSection(QString())) {
        for (const auto& [k, v] : loose->entries) out += EscapeStoreName(k) + QLatin1Char('=') + EscapeStoreValue(v) + QLatin1Char('\n');
    }
    for (const Section& s : m_sections) {
        if (s.name.isEmpty()) continue;
        if (!out.isEmpty()) out += QLatin1Char('\n');
        out += QLatin1Char('[') + EscapeStoreName(s.name) + QStringLiteral("]\n");
        for (const auto& [k, v] : s.entries) out += EscapeStoreName(k) + QLatin1Char('=') + EscapeStoreValue(v) + QLatin1Char('\n');
    }
    return out;
}

const QString* IniDocument::value(const QString& section, const QString& key) const {
    const Section* s = findSection(section);
    if (!s) return nullptr;
    auto it = s->index.constFind(Name{key});
    return it == s->index.constEnd() ? nullptr : &s->entries[static_cast<size_t>(*it)].second;
}

bool IniDocument::hasSection(const QString& section) const { return findSection(section) != nullptr; }

bool IniDocument::setValue(const QString& section, const QString& key, const QString& value) {
    Section& s = addSection(section);
    auto it = s.index.constFind(Name{key});
    if (it == s.index.constEnd()) {
        addEntry(s, key, value);
        return true;
    }
    QString& stored = s.entries[static_cast<size_t>(*it)].second;
    if (stored == value) return false;
    stored = value;
    return true;
}

bool IniDocument::removeKey(const QString& section, const QString& key) {
    Section* s = findSection(section);
    if (!s) return false;
    auto it = s->index.constFind(Name{key});
    if (it == s->index.constEnd()) return false;
    s->entries.erase(s->entries.begin() + *it);
    s->index.clear();
    for (size_t i = 0; i < s->entries.size(); ++i) s->index.insert(Name{s->entries[i].first}, static_cast<int>(i));
    return true;
}

bool IniDocument::removeSection(const QString& section) {
    auto it = m_index.constFind(Name{section});
    if (it == m_index.constEnd()) return false;
    m_sections.erase(m_sections.begin() + *it);
    m_index.clear();
    for (size_t i = 0; i < m_sections.size(); ++i) m_index.insert(Name{m_sections[i].name}, static_cast<int>(i));
    return true;
}

QStringList IniDocument::sectionNames() const {
    QStringList names;
    for (const Section& s : m_sections) names << s.name;
    return names;
}

void IniDocument::forEachEntry(const QString& section,
                               const std::function<void(const QString& key, const QString& value)>& visit) const {
    if (const Section* s = findSection(section))
        for (const auto& [key, value] : s->entries) visit(key, value);
}

QStringList IniDocument::keyNames(const QString& section) const {
    QStringList names;
    if (const Section* s = findSection(section))
        for (const auto& e : s->entries) names << e.first;
    return names;
}

// ---- escapes and decoding ------------------------------------------------------

QString EscapeStoreValue(QStringView text) { return Escape(text, false); }
QString EscapeStoreName(QStringView text) { return Escape(text, true); }

QString UnescapeStoreText(QStringView text) {
    if (!text.contains(QLatin1Char('\\'))) return text.toString();
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\\') || i + 1 >= n) {
            out += c;
            continue;
        }
        const char16_t e = text[i + 1].unicode();
        switch (e) {
        case u'\\': out += QLatin1Char('\\'); ++i; continue;
        case u'n': out += QLatin1Char('\n'); ++i; continue;
        case u'r': out += QLatin1Char('\r'); ++i; continue;
        case u't': out += QLatin1Char('\t'); ++i; continue;
        case u'0': out += QChar(0); ++i; continue;
        case u's': out += QLatin1Char(' '); ++i; continue;
        case u'u':
            if (i + 5 < n) {
                int v = 0;
                bool ok = true;
                for (int k = 0; k < 4 && ok; ++k) {
                    const int d = HexDigit(text[i + 2 + k]);
                    ok = d >= 0;
                    v = v * 16 + d;
                }
                if (ok) {
                    out += QChar(static_cast<char16_t>(v));
                    i += 5;
                    continue;
                }
            }
            break;
        default: break;
        }
        out += c;  // an unknown escape stays as written
    }
    return out;
}

QString DecodeIniBytes(const QByteArray& bytes) {
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder d(QStringDecoder::Utf16LE);
        return d.decode(bytes.mid(2));
    }
    const QByteArrayView body = bytes.startsWith("\xEF\xBB\xBF") ? QByteArrayView(bytes).sliced(3) : QByteArrayView(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(body);
    if (!utf8.hasError()) return text;
    // Lines that are not UTF-8 are Windows-1252, each line on its own (an LF
    // is never part of a UTF-8 sequence, so splitting there is safe).
    text.clear();
    text.reserve(body.size());
    for (qsizetype pos = 0; pos <= body.size();) {
        qsizetype end = body.indexOf('\n', pos);
        if (end < 0) end = body.size();
        text += DecodeEightBitLine(body.sliced(pos, end - pos));
        if (end < body.size()) text += QLatin1Char('\n');
        pos = end + 1;
    }
    return text;
}

// ---- files ---------------------------------------------------------------------

std::shared_ptr<const IniDocument> ReadIniFile(const QString& path, IniSyntax syntax) {
    std::lock_guard lock(CacheMutex());
    return ReadCachedLocked(path, syntax);
}

// The store's own atomic write, whose errors name the store file.
void WriteStoreFileAtomically(const QString& path, const QByteArray& bytes) {
    const QString target = WriteTarget(path);
    const QFileInfo info(target);
    const QString folder = info.absolutePath();
    QByteArray tmpl = QFile::encodeName(folder + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
    const int fd = ::mkostemp(tmpl.data(), O_CLOEXEC);
    if (fd < 0) RaiseErrno(errno, true, kSource, target);

    auto fail = [&](int err) {
        ::close(fd);
        ::unlink(tmpl.constData());
        RaiseErrno(err, true, kSource, target);
    };
    const QByteArray nativeTarget = QFile::encodeName(target);
    struct stat old {};
    if (::stat(nativeTarget.constData(), &old) == 0) {
        ::fchmod(fd, old.st_mode & 07777);
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) (void)::fchown(fd, old.st_uid, old.st_gid);
    } else {
        ::fchmod(fd, DefaultFileMode());
    }
    const char* data = bytes.constData();
    size_t left = static_cast<size_t>(bytes.size());
    while (left > 0) {
        const ssize_t w = ::write(fd, data, left);
        if (w < 0) {
            if (errno == EINTR) continue;
            fail(errno);
        }
        data += w;
        left -= static_cast<size_t>(w);
    }
    if (::fsync(fd) != 0) fail(errno);
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(tmpl.constData());
        RaiseErrno(err, true, kSource, target);
    }
    if (::rename(tmpl.constData(), nativeTarget.constData()) != 0) {
        const int err = errno;
        ::unlink(tmpl.constData());
        RaiseErrno(err, true, kSource, target);
    }
    // Make the rename itself durable; a failure here loses nothing.
    const int dfd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        (void)::fsync(dfd);
        ::close(dfd);
    }
}

void UpdateStoreFile(const QString& path, const std::function<bool(IniDocument&)>& change) {
    std::lock_guard lock(CacheMutex());
    const QString target = WriteTarget(path);
    const QString folder = QFileInfo(target).absolutePath();
    EnsureFolder(folder);
    FolderLock folderLock(folder);

    // The parsed file we hold is good when the file has not changed since;
    // anything else is read afresh, and a file that cannot be read stops the
    // write (it must not be replaced by what little we know).
    std::shared_ptr<IniDocument> doc;
    struct stat st {};
    auto cached = Cache().constFind(CacheKey(path, IniSyntax::Store));
    if (cached != Cache().constEnd() && ::stat(QFile::encodeName(target).constData(), &st) == 0 &&
        S_ISREG(st.st_mode) && cached->stamp == StampOf(st)) {
        doc = std::make_shared<IniDocument>(*cached->doc);
    } else {
        QByteArray bytes;
        Stamp stamp;
        if (!ReadWholeFile(target, bytes, stamp)) RaiseErrno(errno, false, kSource, target);
        doc = std::make_shared<IniDocument>(IniDocument::parse(DecodeIniBytes(bytes), IniSyntax::Store));
    }
    if (!change(*doc)) {
        RememberLocked(path, IniSyntax::Store, std::move(doc));
        return;
    }
    WriteStoreFileAtomically(target, doc->toStoreText().toUtf8());
    RememberLocked(path, IniSyntax::Store, std::move(doc));
}
