#include "scanning/engine/SortIntoFolders.h"

#include "foundation/Errors.h"
#include "foundation/FileUtils.h"
#include "foundation/MessageUi.h"
#include "foundation/NativePath.h"
#include "foundation/ResourceStrings.h"
#include "scanning/engine/ScanRecord.h"
#include "scanning/engine/ScanResultsModel.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <sys/stat.h>

namespace {

constexpr qsizetype kMaxNameBytes = 255;

bool OnlyDots(const QString& text) {
    for (QChar c : text)
        if (c != QLatin1Char('.')) return false;
    return true;
}

// Spaces and NULs off both ends, as EnsureFileNameCompatible trims.
QString TrimBlanks(const QString& text) {
    qsizetype first = 0, last = text.size();
    auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QChar(0); };
    while (first < last && blank(text[first])) ++first;
    while (last > first && blank(text[last - 1])) --last;
    return text.mid(first, last - first);
}

// The longest start of `text` whose UTF-8 form fits in `maxBytes`, never
// ending inside a surrogate pair.
QString CutToBytes(const QString& text, qsizetype maxBytes) {
    qsizetype bytes = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const char32_t c = text[i].unicode();
        qsizetype units = 1, need;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            units = 2;
            need = 4;
        } else {
            need = c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
        }
        if (bytes + need > maxBytes) break;
        bytes += need;
        i += units;
    }
    return text.left(i);
}

// Whether two paths name one file (the target is already the source).
bool SameFile(const QString& a, const QString& b) {
    struct stat sa, sb;
    return ::stat(NativePath(a).constData(), &sa) == 0 && ::stat(NativePath(b).constData(), &sb) == 0 &&
           sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// Makes `folder` (one level below an existing folder) unless it is there.
void EnsureSubfolder(const QString& folder) {
    if (FolderExists(folder)) return;
    if (::mkdir(NativePath(folder).constData(), 0777) != 0 && errno != EEXIST)
        RaiseErrno(errno, true, QStringLiteral("Sonivard"), folder);
    if (!FolderExists(folder)) RaiseErrno(ENOTDIR, true, QStringLiteral("Sonivard"), folder);
}

// Passes every box on to the installed one and notes whether the user
// declined to replace a file that stood at a move's target.
class ReplaceQuestionWatch final : public IMessageUi {
public:
    ReplaceQuestionWatch() : m_shown(MessageUi()), m_title(GetResourceString(TextId::Common::FileAlreadyExists)) {
        m_previous = SetMessageUi(this);
    }
    ~ReplaceQuestionWatch() override { SetMessageUi(m_previous); }
    ReplaceQuestionWatch(const ReplaceQuestionWatch&) = delete;
    ReplaceQuestionWatch& operator=(const ReplaceQuestionWatch&) = delete;

    int MsgBox(const QString& prompt, int style, const QString& title) override {
        const int answer = m_shown.MsgBox(prompt, style, title);
        if (title == m_title && answer != Mb::Yes) declined = true;
        return answer;
    }

    bool declined = false;

private:
    IMessageUi& m_shown;
    IMessageUi* m_previous = nullptr;
    QString m_title;  // "File Already Exists"
};

// Moves unless the file is already in place.  False when the move failed:
// it raised (shown here, and the sort goes on), or MoveFile refused with a
// warning of its own.  The user's "No" to replacing a file that stood at the
// target is no failure; a move that fails after a "Yes", or where a folder
// stands at the target, is.
bool MoveOne(const QString& source, const QString& target) {
    bool ok = false;
    ResumeNext([&] {
        if (SameFile(source, target)) {
            ok = true;
            return;
        }
        ReplaceQuestionWatch watch;
        ok = MoveFile(source, target) || watch.declined;
    });
    return ok;
}
}  // namespace

int SortColumnForID3v1Item(int index) {
    static constexpr int columns[] = {ScanColumn::ID3v1Artist, ScanColumn::ID3v1Album, ScanColumn::ID3v1Genre,
                                      ScanColumn::ID3v1Year, ScanColumn::ID3v1Comment};
    return index >= 0 && index < int(std::size(columns)) ? columns[index] : -1;
}

int SortColumnForID3v2Item(int index) {
    static constexpr int columns[] = {ScanColumn::ID3v2Artist,     ScanColumn::ID3v2Album,
                                      ScanColumn::ID3v2Genre,      ScanColumn::ID3v2Year,
                                      ScanColumn::ID3v2Comment,    ScanColumn::ID3v2Composer,
                                      ScanColumn::ID3v2OrigArtist, ScanColumn::ID3v2Copyright,
                                      ScanColumn::ID3v2URL,        ScanColumn::ID3v2EncodedBy};
    return index >= 0 && index < int(std::size(columns)) ? columns[index] : -1;
}

QString SortFolderName(const QString& cellText) {
    QString name = cellText;
    EnsureFileNameCompatible(name, QString());
    QString kept;
    kept.reserve(name.size());
    for (QChar c : name)
        if (c.category() != QChar::Other_Control) kept += c;
    kept = TrimBlanks(CutToBytes(TrimBlanks(kept), kMaxNameBytes));
    return OnlyDots(kept) ? QString() : kept;
}

std::vector<SortMove> PlanSortIntoFolders(const ScanResultsModel& results, int column, const QString& destination) {
    try {
        if (column < 0 || column >= kScanColumnCount) RaiseError(ErrNo::SubscriptOutOfRange);
        const QString root = QDir::cleanPath(destination);
        std::vector<SortMove> plan;
        for (int row = 0; row < results.rows(); ++row) {
            if (!results.isChecked(row)) continue;
            SortMove move;
            move.row = row;
            move.source = results.fullPath(row);
            move.folderName = SortFolderName(results.text(row, column));
            if (!move.folderName.isEmpty())
                move.target = JoinPath(JoinPath(root, move.folderName), results.text(row, ScanColumn::FileName));
            plan.push_back(std::move(move));
        }
        return plan;
    } catch (...) {
        PropagateError(CallSite(QStringLiteral("PlanSortIntoFolders"), column, destination));
    }
}

SortOutcome SortIntoFolders(const ScanResultsModel& results, int column, const QString& destination,
                            JobHost& host) {
    SortOutcome outcome = SortOutcome::Complete;
    bool failed = false;  // a row whose move failed, or a failed step
    bool ranToEnd = false;
    ResumeNext([&] {
        const QString root = QDir::cleanPath(destination);
        const std::vector<SortMove> plan = PlanSortIntoFolders(results, column, root);
        host.ShowStatus(GetResourceString(TextId::Scan::SortingFiles));
        const int64_t total = static_cast<int64_t>(plan.size());
        host.ShowProgress(0, total);
        int answer = 0;  // the question about files without a value: not asked yet
        YieldClock clock(host.YieldIntervalMs());
        for (int64_t i = 0; i < total; ++i) {
            if (clock.due()) host.Yield();
            if (host.mblnStopAll) {
                outcome = SortOutcome::Interrupted;
                break;
            }
            host.ShowProgress(i + 1, total);
            if (!FolderExists(root)) {
                outcome = SortOutcome::DestinationRemoved;
                break;
            }
            const SortMove& move = plan[static_cast<size_t>(i)];
            if (!move.folderName.isEmpty()) {
                bool made = false;
                ResumeNext([&] {
                    EnsureSubfolder(JoinPath(root, move.folderName));
                    made = true;
                });
                // Without its subfolder the move could only fail again.
                if (!made || !MoveOne(move.source, move.target)) failed = true;
                continue;
            }
            if (answer == 0)
                answer =
                    MsgBox(GetResourceString(TextId::Scan::FilesWithoutFieldValueQuestion) + root + QLatin1Char('?'),
                           Mb::YesNo | Mb::Question, GetResourceString(TextId::Scan::FilesWithoutFieldValue));
            if (answer == Mb::Yes && !MoveOne(move.source, JoinPath(root, FileNamePart(move.source)))) failed = true;
        }
        ranToEnd = true;
    });
    // A failure that ended the run early (shown in the critical box) leaves
    // rows unsorted.
    if (!ranToEnd) failed = true;
    // A run in which some work failed never reports itself complete.
    if (failed && outcome == SortOutcome::Complete) outcome = SortOutcome::Incomplete;
    ResumeNext([&] {
        switch (outcome) {
        case SortOutcome::DestinationRemoved:
            host.ShowResult(GetResourceString(TextId::Scan::SortNotComplete), true,
                            GetResourceString(TextId::Scan::DestinationFolderRemoved));
            break;
        case SortOutcome::Interrupted: host.ReportInterrupted(GetResourceString(TextId::Scan::SortInterrupted)); break;
        case SortOutcome::Incomplete:
            host.ShowResult(GetResourceString(TextId::Scan::SortNotComplete), true, QString());
            break;
        case SortOutcome::Complete: host.ReportComplete(GetResourceString(TextId::Scan::SortComplete)); break;
        }
    });
    return outcome;
}
