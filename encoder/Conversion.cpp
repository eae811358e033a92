#include "encoder/Conversion.h"

#include "encoder/LameSwitches.h"
#include "encoder/OutputCheck.h"
#include "foundation/AppPaths.h"
#include "foundation/Errors.h"
#include "foundation/FileUtils.h"
#include "foundation/MessageUi.h"
#include "foundation/Process.h"
#include "foundation/ResourceStrings.h"
#include "scanning/engine/MPEGHeader.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kNewLine = QStringLiteral("\r\n");
const QString kTwoLines = kNewLine + kNewLine;

QString text(int32_t id) { return GetResourceString(id); }

// The MPEG version LAME writes for an output sampling-rate setting: the low
// rates give MPEG-2.5, the middle ones MPEG-2, the input's own rate and the
// high ones MPEG-1.
int32_t encodedVersion(int32_t outputSamplingFrequency) {
    if (outputSamplingFrequency >= 2 && outputSamplingFrequency <= 4) return 25;
    if (outputSamplingFrequency >= 5 && outputSamplingFrequency <= 7) return 2;
    return 1;
}

QString versionText(int32_t version) {
    if (version == 1) return QStringLiteral("1");
    if (version == 2) return QStringLiteral("2");
    return QStringLiteral("2.5");
}

QString layerText(int32_t layer) {
    if (layer == 1) return QStringLiteral("I");
    if (layer == 2) return QStringLiteral("II");
    return QStringLiteral("III");
}

// The rate named in the encode refusal, by the output sampling-rate setting.
QString rateText(int32_t outputSamplingFrequency) {
    static const char* const rates[] = {"44.1", "8", "11.025", "12", "16", "22.05", "24", "32", "44.1", "48"};
    if (outputSamplingFrequency < 1 || outputSamplingFrequency > 10) return QString();
    return QLatin1String(rates[outputSamplingFrequency - 1]);
}

bool tableHolds(const BitrateTable& table, const QString& kbit) {
    if (kbit.isEmpty()) return false;
    const int32_t value = kbit.toInt();
    for (int32_t entry : table)
        if (entry == value) return true;
    return false;
}

// "A bitrate of 128kbit ... was specified ...", the permitted list and the
// lines after it: the part both refusal boxes share.
QString bitrateSentence(const EncoderDecoderOptions& o, bool haveTable, const BitrateTable& table) {
    QString s = text(TextId::Encoder::ABitrateOf) + LameBitrateText(o.lngBitrate) + QStringLiteral("kbit ");
    if (o.blnEnableVBR)
        s += text(TextId::Encoder::AndMaximumVBRBitrateOf) + LameBitrateText(o.lngMaximumVBRBitrate) +
             QStringLiteral("kbit ");
    s += text(TextId::Encoder::WasSpecifiedInOptions) + kTwoLines;
    s += text(TextId::Encoder::OnlyFollowingBitrates) + kTwoLines + QLatin1Char('\t');
    if (haveTable) {
        QStringList entries;
        for (int32_t entry : table) entries << QString::number(entry);
        s += entries.join(QStringLiteral(", ")) + QStringLiteral(" (kbit)");
    } else {
        s += text(TextId::Encoder::BitrateListNotAvailable);
    }
    return s + kTwoLines;
}

// The last line of LAME's error output that says something.
QString lastLine(const QByteArray& output) {
    const QStringList lines = QString::fromLocal8Bit(output).split(QRegularExpression(QStringLiteral("[\r\n]")));
    for (auto it = lines.crbegin(); it != lines.crend(); ++it)
        if (!it->trimmed().isEmpty()) return it->trimmed();
    return QString();
}

// The hidden file beside the output that LAME writes into,
// ".<output name>.<six letters or digits>.part".  It is made as any new file
// is (mode 0666 less the umask, or what the folder's default ACL gives), and
// holds a file lock while it lives, so a sweep of the folder can tell it from
// one that a killed conversion left behind.  Removed again unless it was moved
// into place.
class TemporaryOutput {
public:
    explicit TemporaryOutput(const QString& output) {
        static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
        for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
            QString mark;
            for (int i = 0; i < 6; ++i)
                mark += QLatin1Char(kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters - 1))]);
            m_native = QFile::encodeName(
                JoinPath(ParentFolder(output),
                         QLatin1Char('.') + FileNamePart(output) + QLatin1Char('.') + mark + QStringLiteral(".part")));
            m_fd = ::open(m_native.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (m_fd < 0 && errno != EEXIST) break;
        }
        if (m_fd < 0) {
            m_native.clear();
            return;
        }
        ::flock(m_fd, LOCK_EX | LOCK_NB);
        struct stat st {};
        m_newMode = ::fstat(m_fd, &st) == 0 ? st.st_mode & 07777 : 0644;
    }
    ~TemporaryOutput() {
        if (!m_native.isEmpty()) ::unlink(m_native.constData());
        if (m_fd >= 0) ::close(m_fd);
    }
    TemporaryOutput(const TemporaryOutput&) = delete;
    TemporaryOutput& operator=(const TemporaryOutput&) = delete;
    QString path() const { return QFile::decodeName(m_native); }
    // Puts the file in place of `output`: over an existing file only when
    // `replace` is set, never otherwise.  A replaced file's mode (and, where
    // allowed, its owner) carries over; a new output keeps the mode it was
    // made with.  The bytes are flushed first.  0 or an errno value.
    int moveTo(const QString& output, bool replace) {
        const QByteArray to = QFile::encodeName(output);
        // By path: whatever LAME did with the name, the file there is the one to keep.
        const int fd = ::open(m_native.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return errno;
        struct stat old {};
        if (replace && ::stat(to.constData(), &old) == 0) {
            if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
                // Keeping the owner is best effort.
            }
            ::fchmod(fd, old.st_mode & 07777);
        } else {
            ::fchmod(fd, m_newMode);
        }
        const int synced = ::fsync(fd) == 0 ? 0 : errno;
        ::close(fd);
        if (synced != 0) return synced;
        const QByteArray& from = m_native;
        int result = replace ? std::rename(from.constData(), to.constData())
                             : ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE);
        if (result != 0 && !replace && (errno == EINVAL || errno == ENOSYS)) {
            // A file system without the no-replace rename: a hard link fails
            // on an existing name just the same.
            if (::link(from.constData(), to.constData()) == 0) {
                ::unlink(from.constData());
                result = 0;
            }
        }
        if (result != 0) return errno;
        m_native.clear();
        return 0;
    }

private:
    QByteArray m_native;
    int m_fd = -1;
    mode_t m_newMode = 0644;
};

// Removes from `folder` the partial outputs of conversions that were killed
// before they could remove their own: hidden files of the temporary form that
// no living conversion holds locked.
void RemoveAbandonedOutputs(const QString& folder) {
    static const QRegularExpression partial(QStringLiteral("^\\..+\\.(mp3|wav)\\.[A-Za-z0-9]{6}\\.part$"));
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (name[0] != '.' || !QByteArrayView(name).endsWith(".part")) continue;
        if (!partial.match(QFile::decodeName(name)).hasMatch()) continue;
        const int fd = ::openat(::dirfd(dir), name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(::dirfd(dir), name, 0);
        ::close(fd);
    }
    ::closedir(dir);
}

}  // namespace

QString FindLameProgram() {
    const QFileInfo beside(JoinPath(AppPath(), QStringLiteral("lame")));
    if (beside.isFile() && beside.isExecutable()) return beside.absoluteFilePath();
    return QStandardPaths::findExecutable(QStringLiteral("lame"));
}

ConversionResult LameConverter::RunLAME(const QString& fileName, const QString& folder, ConversionMode mode,
                                        bool askFurther, const EncoderDecoderOptions& o, bool useRecycleBin) {
    return WithTrail(CallSite(QStringLiteral("RunLAME"), fileName, static_cast<int32_t>(mode), askFurther), [&] {
        mblnEndNow = false;
        const bool decoding = mode == ConversionMode::Decode;
        const QString source = QFileInfo(JoinPath(folder, fileName)).absoluteFilePath();
        const QString outputFolder = o.blnSameAsInputDirectory ? folder : o.strUseFolder;
        const QString outputName = BaseNamePart(fileName) + (decoding ? QStringLiteral(".wav") : QStringLiteral(".mp3"));
        const QString output =
            outputFolder.isEmpty() ? QString() : QFileInfo(JoinPath(outputFolder, outputName)).absoluteFilePath();

        if (!FileExists(source)) {
            const int answer = MsgBox(source + kTwoLines + text(TextId::Encoder::SourceFileMissingText),
                                      Mb::Exclamation | (askFurther ? Mb::OKCancel : Mb::OKOnly),
                                      text(TextId::Encoder::SourceFileMissing));
            // A removed folder (or drive) ends a batch as well.
            if (answer == Mb::Cancel || !FolderExists(ParentFolder(source))) mblnStopAll = true;
            return ConversionResult::Refused;
        }
        if (output.isEmpty() || !FolderExists(ParentFolder(output))) {
            mblnStopAll = true;
            MsgBox(text(TextId::Encoder::OutputDirectoryMissingText), Mb::Exclamation,
                   text(TextId::Encoder::OutputDirectoryMissing));
            return ConversionResult::Refused;
        }
        // Values no dialog could store end the batch: every file would meet them.
        if (const auto key = CheckSwitchValues(o)) {
            mblnStopAll = true;
            if (IsFilterFrequencyKey(*key))
                MsgBox(text(TextId::Encoder::FrequencyOutOfRangeText), Mb::OKOnly,
                       text(TextId::Encoder::FrequencyOutOfRange));
            else
                MsgBox(text(TextId::Encoder::SettingOutOfRange) + *key + kTwoLines +
                           text(TextId::Encoder::ChangeOptionsToFit),
                       Mb::Exclamation, text(TextId::Encoder::FileCannotBeProcessed));
            return ConversionResult::Refused;
        }

        int32_t version = 1, layer = 3;
        if (decoding) {
            bool found = false;
            const MPEGInfo info = ReadMPEGInfo(source, found);
            version = found ? info.Version : 0;
            layer = found ? info.Layer : 0;
        } else {
            version = encodedVersion(o.lngOutputSamplingFrequency);
        }
        BitrateTable table{};
        const bool haveTable = GetBitrateTable(version, layer, table);
        const bool bitrateAllowed = haveTable && tableHolds(table, LameBitrateText(o.lngBitrate));
        const bool maximumAllowed = haveTable && tableHolds(table, LameBitrateText(o.lngMaximumVBRBitrate));

        mstrLAMESwitches = BuildLameSwitchString(o);
        const bool freeFormat = mstrLAMESwitches.contains(QStringLiteral("--freeformat"), Qt::CaseInsensitive);
        if (!freeFormat && !(bitrateAllowed && (!o.blnEnableVBR || maximumAllowed))) {
            const QString title = text(TextId::Encoder::FileCannotBeProcessed);
            if (decoding) {
                if (mlngNotifyAnswer == Mb::No) return ConversionResult::Refused;
                QString prompt = source + kTwoLines + text(TextId::Encoder::ThisFileIsAn) + QStringLiteral(" MPEG-") +
                                 versionText(version) + QStringLiteral(" Layer ") + layerText(layer) +
                                 text(TextId::Encoder::FileEnd) + kTwoLines + bitrateSentence(o, haveTable, table) +
                                 text(TextId::Encoder::FileWillNotBeProcessed);
                if (askFurther) prompt += text(TextId::Encoder::NotifyFurtherFiles);
                mlngNotifyAnswer = MsgBox(prompt, Mb::Exclamation | (askFurther ? Mb::YesNoCancel : Mb::OKOnly), title);
                if (mlngNotifyAnswer == Mb::Cancel) mblnStopAll = true;
            } else {
                // The same options would refuse every further file.
                mblnStopAll = true;
                const int32_t rate = o.lngOutputSamplingFrequency;
                QString prompt = text(TextId::Encoder::ASamplingFrequencyOf) + rateText(rate) + QStringLiteral("kHz ");
                if (rate == 1) prompt += QStringLiteral("(Default) ");
                prompt += text(TextId::Encoder::WasSpecifiedLameEncodesInto) + versionText(version) +
                          QStringLiteral(" Layer ") + layerText(layer) + text(TextId::Encoder::FileEnd) + kTwoLines +
                          bitrateSentence(o, haveTable, table) + text(TextId::Encoder::ChangeOptionsToFit);
                MsgBox(prompt, Mb::Exclamation, title);
            }
            return ConversionResult::Refused;
        }

        const std::optional<QStringList> custom = SplitCustomOptions(o.strCustomOptions);
        if (!custom) {
            mblnStopAll = true;
            MsgBox(text(TextId::Encoder::CustomOptionsUnclosed) + kTwoLines + text(TextId::Encoder::ChangeOptionsToFit),
                   Mb::Exclamation, text(TextId::Encoder::FileCannotBeProcessed));
            return ConversionResult::Refused;
        }

        const QFileInfo existing(output);
        const bool replacing = existing.exists() || existing.isSymLink();
        if (replacing && !mblnReplaceAll) {
            const int answer = MsgBox(output + kTwoLines + text(TextId::Encoder::ReplaceFileText),
                                      Mb::Question | Mb::YesYesToAllNoCancel, text(TextId::Encoder::ReplaceFile));
            if (answer == Mb::YesToAll) mblnReplaceAll = true;
            if (answer == Mb::Cancel) mblnStopAll = true;
            if (answer != Mb::Yes && answer != Mb::YesToAll) return ConversionResult::Skipped;
        }

        const QString program = lameProgram.isEmpty() ? FindLameProgram() : lameProgram;
        if (program.isEmpty()) return ConversionResult::NotStarted;

        auto fail = [&](const QString& why, const QString& detail) {
            lastFailure = detail;
            MsgBox(source + kTwoLines + why + kTwoLines + detail, Mb::Exclamation,
                   text(TextId::Encoder::ConversionFailed));
            return ConversionResult::Failed;
        };

        if (!m_sweptFolders.contains(ParentFolder(output))) {
            m_sweptFolders.insert(ParentFolder(output));
            RemoveAbandonedOutputs(ParentFolder(output));
        }
        TemporaryOutput temporary(output);
        if (temporary.path().isEmpty())
            return fail(text(TextId::Encoder::OutputNotSaved), StandardErrorText(ErrNo::PathFileAccess) +
                                                                    QStringLiteral(" (") + ParentFolder(output) +
                                                                    QLatin1Char(')'));

        QStringList arguments;
        if (decoding) arguments << QStringLiteral("--decode");
        arguments << QStringLiteral("-S") << BuildLameArguments(o, decoding) << source << temporary.path();

        clsProcess lame;
        lame.SetKeepErrorOutput(true);
        if (!lame.StartNewProcess(program, arguments, false)) return ConversionResult::NotStarted;
        while (!lame.WaitForEnd(25)) {
            if (yield) yield();
            else QCoreApplication::processEvents();
            if (mblnEndNow) {
                lame.Kill();
                return ConversionResult::Stopped;
            }
        }
        const int exitCode = lame.ExitCode();
        if (exitCode != 0) {
            QString detail = lastLine(lame.ErrorOutput());
            if (detail.isEmpty()) detail = text(TextId::Encoder::LameExitCode) + QString::number(exitCode);
            return fail(text(TextId::Encoder::LameStoppedWith), detail);
        }
        // Exit code 0 is no proof: a disk that filled up leaves a cut-off file.
        try {
            const OutputCheck check = CheckConvertedFile(temporary.path(), decoding);
            if (!check.whole()) return fail(text(TextId::Encoder::OutputIncomplete), OutputFaultText(check));
        } catch (const SvError& error) {
            return fail(text(TextId::Encoder::OutputNotSaved), error.description());
        }
        if (const int err = temporary.moveTo(output, replacing); err != 0)
            return fail(text(TextId::Encoder::OutputNotSaved),
                        StandardErrorText(ErrnoToErrorNumber(err, true)) + QStringLiteral(" (") + output +
                            QLatin1Char(')'));

        // Never the file just written (a source named like its own output).
        if (o.blnDeleteSourceFile && QFileInfo(source).canonicalFilePath() != QFileInfo(output).canonicalFilePath())
            DeleteFile(ParentFolder(source), FileNamePart(source), useRecycleBin);
        return ConversionResult::Converted;
    });
}
