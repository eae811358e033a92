#include "ripper/CueSheet.h"

#include "foundation/ResourceStrings.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kMaxTracks = 99;
constexpr int kMaxIndex = 99;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A line's words: blanks part them, a "quoted" text is one word (without its
// quotes).  Empty when the quotes do not pair up or a quote stands inside a
// word.
std::optional<std::vector<QByteArray>> Words(const QByteArray& line) {
    std::vector<QByteArray> words;
    const qsizetype n = line.size();
    qsizetype i = 0;
    while (true) {
        while (i < n && IsBlank(line[i])) ++i;
        if (i >= n) return words;
        if (line[i] == '"') {
            const qsizetype close = line.indexOf('"', i + 1);
            if (close < 0) return std::nullopt;
            words.push_back(line.mid(i + 1, close - i - 1));
            i = close + 1;
            if (i < n && !IsBlank(line[i])) return std::nullopt;
        } else {
            const qsizetype start = i;
            while (i < n && !IsBlank(line[i])) {
                if (line[i] == '"') return std::nullopt;
                ++i;
            }
            words.push_back(line.mid(start, i - start));
        }
    }
}

bool AllDigits(const QByteArray& w) {
    if (w.isEmpty()) return false;
    for (char c : w)
        if (c < '0' || c > '9') return false;
    return true;
}

// A number of one or two digits.
std::optional<int> SmallNumber(const QByteArray& w) {
    if (w.size() > 2 || !AllDigits(w)) return std::nullopt;
    return w.toInt();
}

// mm:ss:ff as a frame count.
std::optional<int> Time(const QByteArray& w) {
    const QList<QByteArray> parts = w.split(':');
    if (parts.size() != 3) return std::nullopt;
    const auto m = SmallNumber(parts[0]), s = SmallNumber(parts[1]), f = SmallNumber(parts[2]);
    if (!m || !s || !f || *s >= 60 || *f >= 75) return std::nullopt;
    return (*m * 60 + *s) * 75 + *f;
}

bool OneOf(const QByteArray& w, std::initializer_list<std::string_view> names) {
    for (std::string_view name : names)
        if (std::string_view(w.constData(), size_t(w.size())) == name) return true;
    return false;
}

// What the reader has seen so far.
struct Reader {
    int track = 0;            // the last TRACK's number, 0 before the first
    int pendingFileLine = 0;  // a FILE line not yet followed by a TRACK
    bool catalogue = false;
    // Of the current track:
    int lastIndex = -1;
    bool hasIndex01 = false;
    bool isrc = false;
    bool pregap = false;
    int lastTime = 0;  // index times never go back, over the whole sheet

    CueProblem Command(const QByteArray& keyword, const std::vector<QByteArray>& args, int lineNumber);
};

CueProblem Reader::Command(const QByteArray& keyword, const std::vector<QByteArray>& args, int lineNumber) {
    // Between a FILE line and its TRACK no command of a file or a track may
    // stand (libcdio would give it to the track before).
    if (pendingFileLine && OneOf(keyword, {"FILE", "FLAGS", "ISRC", "PREGAP", "INDEX"})) return CueProblem::OutOfOrder;
    const bool inTrack = track > 0;
    if (keyword == "CATALOG") {
        if (inTrack || catalogue) return CueProblem::OutOfOrder;
        if (args.size() != 1 || args[0].size() != 13 || !AllDigits(args[0])) return CueProblem::BadValues;
        catalogue = true;
    } else if (keyword == "FILE") {
        if (args.size() != 2 || args[0].isEmpty() || !OneOf(args[1], {"BINARY", "MOTOROLA", "AIFF", "WAVE", "MP3"}))
            return CueProblem::BadValues;
        pendingFileLine = lineNumber;
    } else if (keyword == "TRACK") {
        if (args.size() != 2) return CueProblem::BadValues;
        const auto number = SmallNumber(args[0]);
        if (!number || !OneOf(args[1], {"AUDIO", "MODE1/2048", "MODE1/2352", "MODE2/2048", "MODE2/2324", "MODE2/2336",
                                        "MODE2/2352"}))
            return CueProblem::BadValues;
        if (!inTrack && !pendingFileLine) return CueProblem::OutOfOrder;
        if (inTrack && !hasIndex01) return CueProblem::MissingIndex;
        if (*number != track + 1 || *number > kMaxTracks) return CueProblem::OutOfOrder;
        track = *number;
        pendingFileLine = 0;
        lastIndex = -1;
        hasIndex01 = isrc = pregap = false;
    } else if (keyword == "FLAGS") {
        if (!inTrack) return CueProblem::OutOfOrder;
        if (args.empty()) return CueProblem::BadValues;
        for (const QByteArray& flag : args)
            if (!OneOf(flag, {"DCP", "4CH", "PRE", "SCMS"})) return CueProblem::BadValues;
    } else if (keyword == "ISRC") {
        if (!inTrack || isrc) return CueProblem::OutOfOrder;
        if (args.size() != 1 || args[0].size() != 12) return CueProblem::BadValues;
        for (char c : args[0])
            if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
                return CueProblem::BadValues;
        isrc = true;
    } else if (keyword == "PREGAP") {
        if (!inTrack || pregap || lastIndex >= 0) return CueProblem::OutOfOrder;
        if (args.size() != 1 || !Time(args[0])) return CueProblem::BadValues;
        pregap = true;
    } else if (keyword == "INDEX") {
        if (!inTrack) return CueProblem::OutOfOrder;
        if (args.size() != 2) return CueProblem::BadValues;
        const auto number = SmallNumber(args[0]);
        const auto time = Time(args[1]);
        if (!number || *number > kMaxIndex || !time) return CueProblem::BadValues;
        const bool inSequence = lastIndex < 0 ? (*number == 0 || *number == 1) : *number == lastIndex + 1;
        if (!inSequence || *time < lastTime) return CueProblem::OutOfOrder;
        lastIndex = *number;
        lastTime = *time;
        if (*number == 1) hasIndex01 = true;
    } else if (OneOf(keyword, {"TITLE", "PERFORMER", "SONGWRITER", "COMPOSER", "ARRANGER", "MESSAGE"})) {
        if (args.size() != 1) return CueProblem::BadValues;
    } else {
        return CueProblem::UnknownCommand;
    }
    return CueProblem::None;
}

// Closes a file descriptor at the end of its scope.
struct ClosedAtEnd {
    int fd;
    ~ClosedAtEnd() { ::close(fd); }
};

bool EndsWith(const QString& path, const char* suffix) {
    return path.size() > 4 && path.endsWith(QLatin1String(suffix), Qt::CaseSensitive);
}

}  // namespace

CueCheck CheckCueSheetText(const QByteArray& text) {
    if (text.size() > kCueSheetMaxBytes) return {CueProblem::TooLarge, 0};
    Reader reader;
    int lineNumber = 0;
    for (qsizetype start = 0; start < text.size();) {
        ++lineNumber;
        qsizetype end = text.indexOf('\n', start);
        if (end < 0) end = text.size();
        QByteArray line = text.mid(start, end - start);
        start = end + 1;
        if (line.size() > kCueLineMaxBytes) return {CueProblem::NotText, lineNumber};
        if (line.endsWith('\r')) line.chop(1);
        for (char c : line)
            if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7f)
                return {CueProblem::NotText, lineNumber};

        const auto words = Words(line);
        if (!words) return {CueProblem::BadValues, lineNumber};
        if (words->empty()) continue;
        const QByteArray& keyword = words->front();
        if (keyword == "REM") continue;
        const std::vector<QByteArray> args(words->begin() + 1, words->end());
        const CueProblem problem = reader.Command(keyword, args, lineNumber);
        if (problem == CueProblem::MissingIndex) return {problem, reader.track};
        if (problem != CueProblem::None) return {problem, lineNumber};
    }
    if (reader.track == 0) return {CueProblem::NoTracks, 0};
    if (reader.pendingFileLine) return {CueProblem::OutOfOrder, reader.pendingFileLine};
    if (!reader.hasIndex01) return {CueProblem::MissingIndex, reader.track};
    return {};
}

CueCheck CheckCueSheetFile(const QString& cuePath) {
    // Only a regular file is read: a named pipe or a device would never end.
    // The look comes first, so that no device is opened at all; the open
    // then does not wait for a pipe's writer, and what it opened is looked at
    // again before the first read (the name may have changed hands between).
    struct stat st {};
    const QByteArray native = QFile::encodeName(cuePath);
    if (::stat(native.constData(), &st) != 0 || !S_ISREG(st.st_mode)) return {CueProblem::Unreadable, 0};
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return {CueProblem::Unreadable, 0};
    const ClosedAtEnd closer{fd};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return {CueProblem::Unreadable, 0};
    if (st.st_size > kCueSheetMaxBytes) return {CueProblem::TooLarge, 0};
    QByteArray text;
    char buffer[16384];
    while (text.size() <= kCueSheetMaxBytes) {
        const size_t want = size_t(std::min<qint64>(sizeof buffer, kCueSheetMaxBytes + 1 - text.size()));
        const ssize_t got = ::read(fd, buffer, want);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return {CueProblem::Unreadable, 0};
        if (got == 0) break;
        text.append(buffer, got);
    }
    const CueCheck check = CheckCueSheetText(text);
    if (!check.Ok()) return check;
    const QByteArray bin = QFile::encodeName(BinFileOfCueSheet(cuePath));
    if (::stat(bin.constData(), &st) != 0 || !S_ISREG(st.st_mode)) return {CueProblem::MissingBinFile, 0};
    return {};
}

QString CueSheetOfImage(const QString& path) {
    if (EndsWith(path, ".cue") || EndsWith(path, ".CUE")) return path;
    if (EndsWith(path, ".bin")) return path.left(path.size() - 3) + QStringLiteral("cue");
    if (EndsWith(path, ".BIN")) return path.left(path.size() - 3) + QStringLiteral("CUE");
    return QString();
}

QString BinFileOfCueSheet(const QString& cuePath) {
    if (EndsWith(cuePath, ".CUE")) return cuePath.left(cuePath.size() - 3) + QStringLiteral("BIN");
    return cuePath.left(cuePath.size() - 3) + QStringLiteral("bin");
}

QString CueProblemText(const CueCheck& check, const QString& cuePath) {
    QString why;
    switch (check.problem) {
    case CueProblem::None: return QString();
    case CueProblem::Unreadable: why = GetResourceString(TextId::Ripper::CueUnreadable); break;
    case CueProblem::TooLarge: why = GetResourceString(TextId::Ripper::CueTooLarge); break;
    case CueProblem::NotText: why = GetResourceString(TextId::Ripper::CueNotText).arg(check.line); break;
    case CueProblem::UnknownCommand: why = GetResourceString(TextId::Ripper::CueUnknownCommand).arg(check.line); break;
    case CueProblem::BadValues: why = GetResourceString(TextId::Ripper::CueBadValues).arg(check.line); break;
    case CueProblem::OutOfOrder: why = GetResourceString(TextId::Ripper::CueOutOfOrder).arg(check.line); break;
    case CueProblem::NoTracks: why = GetResourceString(TextId::Ripper::CueNoTracks); break;
    case CueProblem::MissingIndex: why = GetResourceString(TextId::Ripper::CueMissingIndex).arg(check.line); break;
    case CueProblem::MissingBinFile:
        why = GetResourceString(TextId::Ripper::CueMissingBinFile).arg(BinFileOfCueSheet(cuePath));
        break;
    }
    return GetResourceString(TextId::Ripper::CueSheetNotOpened).arg(cuePath, why);
}
