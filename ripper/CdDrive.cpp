#include "ripper/CdDrive.h"

#include "foundation/ResourceStrings.h"
#include "ripper/CueSheet.h"

#include <QFile>

#include <cdio/cdio.h>
#include <cdio/logging.h>
#include <cdio/paranoia/cdda.h>

#include <mutex>
#include <sys/stat.h>

namespace {

std::function<QStringList()>& DriveLister() {
    static std::function<QStringList()> lister;
    return lister;
}

// libcdio writes its warnings to standard error; the program reports
// failures itself.
void QuietLibrary() {
    static std::once_flag once;
    std::call_once(once, [] { cdio_loglevel_default = CDIO_LOG_ERROR; });
}

}  // namespace

QString CdLibraryErrorText(int32_t code) {
    // -5 has its text after the others in the table.
    if (code == 0) return GetResourceString(TextId::Ripper::CDNoError);
    if (code == -5) return GetResourceString(TextId::Ripper::CDUnused);
    if (code <= -1 && code >= -4) return GetResourceString(TextId::Ripper::CDNoError + (-code));
    if (code <= -6 && code >= -15) return GetResourceString(TextId::Ripper::CDBufferTooSmall + (-code - 6));
    return QString();
}

QStringList ListCdDrives() {
    if (DriveLister()) return DriveLister()();
    QuietLibrary();
    QStringList drives;
    if (char** devices = cdio_get_devices(DRIVER_DEVICE)) {
        for (char** d = devices; *d; ++d) drives << QFile::decodeName(*d);
        cdio_free_device_list(devices);
    }
    const QByteArray images = qgetenv(kCdDevicesVariable);
    for (const QByteArray& image : images.split(':'))
        if (!image.isEmpty()) drives << QFile::decodeName(image);
    return drives;
}

void SetCdDriveListerForTesting(std::function<QStringList()> lister) { DriveLister() = std::move(lister); }

struct CdDrive::Handles {
    CdIo_t* cdio = nullptr;
    cdrom_drive_t* cdda = nullptr;  // opened on the first audio read
    bool cddaFailed = false;
    ~Handles() {
        if (cdda) cdio_cddap_close_no_free_cdio(cdda);
        if (cdio) cdio_destroy(cdio);
    }
};

CdDrive::CdDrive(QString device, std::unique_ptr<Handles> handles)
    : m_device(std::move(device)), m_handles(std::move(handles)) {}

CdDrive::~CdDrive() = default;

std::unique_ptr<CdDrive> CdDrive::Open(const QString& device, int32_t& error, QString* why) {
    QuietLibrary();
    auto refuse = [&](int32_t code, const QString& text) -> std::unique_ptr<CdDrive> {
        error = code;
        if (why) *why = text;
        return nullptr;
    };
    error = CdError::None;
    const QByteArray native = QFile::encodeName(device);
    // libcdio gives up on a folder by ending the process: only an existing
    // device or file is handed to it.
    struct stat st {};
    if (native.isEmpty() || ::stat(native.constData(), &st) != 0 || S_ISDIR(st.st_mode))
        return refuse(CdError::NotACdDevice, CdLibraryErrorText(CdError::NotACdDevice));
    // A drive is a block or character device, an image a regular file; a
    // named pipe or a socket, whatever its name, would hold up the first
    // read for ever.
    if (!S_ISREG(st.st_mode) && !S_ISBLK(st.st_mode) && !S_ISCHR(st.st_mode))
        return refuse(CdError::BadDiscImage, GetResourceString(TextId::Ripper::NotADiscImage).arg(device));
    auto handles = std::make_unique<Handles>();
    if (S_ISREG(st.st_mode)) {
        // A disc image: libcdio reads only a sheet that passed the check, and
        // only as a BIN/CUE pair.
        const QString cue = CueSheetOfImage(device);
        if (cue.isEmpty())
            return refuse(CdError::BadDiscImage, GetResourceString(TextId::Ripper::NotADiscImage).arg(device));
        const CueCheck check = CheckCueSheetFile(cue);
        if (!check.Ok()) return refuse(CdError::BadDiscImage, CueProblemText(check, cue));
        handles->cdio = cdio_open(QFile::encodeName(cue).constData(), DRIVER_BINCUE);
    } else {
        handles->cdio = cdio_open(native.constData(), DRIVER_UNKNOWN);
    }
    if (!handles->cdio) return refuse(CdError::NotACdDevice, CdLibraryErrorText(CdError::NotACdDevice));
    return std::unique_ptr<CdDrive>(new CdDrive(device, std::move(handles)));
}

bool CdDrive::ReadToc(CdTableOfContents& toc) {
    toc = CdTableOfContents{};
    CdIo_t* p = m_handles->cdio;
    const track_t first = cdio_get_first_track_num(p);
    const track_t count = cdio_get_num_tracks(p);
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0) return false;
    const lsn_t leadOut = cdio_get_track_lsn(p, CDIO_CDROM_LEADOUT_TRACK);
    if (leadOut == CDIO_INVALID_LSN) return false;
    for (int t = first; t < first + count && t <= 99; ++t) {
        const auto number = static_cast<track_t>(t);
        const lsn_t start = cdio_get_track_lsn(p, number);
        const lsn_t last = cdio_get_track_last_lsn(p, number);
        if (start == CDIO_INVALID_LSN || last == CDIO_INVALID_LSN || last + 1 < start) {
            toc = CdTableOfContents{};
            return false;
        }
        CdTrack track;
        track.number = t;
        track.firstFrame = start;
        track.endFrame = last + 1;
        track.audio = cdio_get_track_format(p, number) == TRACK_FORMAT_AUDIO;
        toc.tracks.push_back(track);
    }
    toc.leadOutFrame = leadOut;
    return true;
}

bool CdDrive::ReadAudio(int32_t firstFrame, int32_t count, char* out) {
    m_lastError = CdError::None;
    if (count <= 0) return true;
    if (!m_handles->cdda && !m_handles->cddaFailed) {
        char* messages = nullptr;
        m_handles->cdda = cdio_cddap_identify_cdio(m_handles->cdio, CDDA_MESSAGE_FORGETIT, &messages);
        cdio_cddap_free_messages(messages);
        if (m_handles->cdda && cdio_cddap_open(m_handles->cdda) != 0) {
            cdio_cddap_close_no_free_cdio(m_handles->cdda);
            m_handles->cdda = nullptr;
        }
        m_handles->cddaFailed = !m_handles->cdda;
        // Samples come little-endian from the drive and from an image; the
        // library would otherwise guess the byte order from the music itself.
        if (m_handles->cdda) m_handles->cdda->bigendianp = 0;
    }
    if (!m_handles->cdda) {
        m_lastError = CdError::InvalidHandle;
        return false;
    }
    // One library read returns at most the drive's own transfer size.
    int32_t done = 0;
    while (done < count) {
        const long got = cdio_cddap_read(m_handles->cdda, out + int64_t(done) * kCdFrameBytes, firstFrame + done,
                                         count - done);
        if (got <= 0) {
            m_lastError = CdError::DeviceError;
            return false;
        }
        done += static_cast<int32_t>(got);
    }
    return true;
}
