#include "cataloguer/CatalogueFiles.h"

#include "cataloguer/HtmlCataloguePage.h"
#include "foundation/Errors.h"
#include "foundation/FileUtils.h"

#include <QDir>
#include <QFile>
#include <cerrno>

QString CatalogueFileExtension(CatalogueOutput output, const QString& htmlExtension) {
    return output == CatalogueOutput::Text ? QStringLiteral("txt") : htmlExtension;
}

bool IsLocalBackgroundImage(const QString& image) {
    if (image.contains(QLatin1String("://"))) return false;
    const qsizetype slash = image.indexOf(QLatin1Char('/'));
    return slash >= 0 && !image.endsWith(QLatin1Char('/'));
}

QString CopiedBackgroundLink(const QString& image) {
    return QStringLiteral("Images/") + HtmlLinkTarget(FileNamePart(image));
}

QString RelinkBackgroundImage(const QString& page, const QString& image, const QString& link) {
    const QString from = QStringLiteral(" background=\"") + HtmlText(image) + QLatin1Char('"');
    const qsizetype at = page.indexOf(from);
    if (at < 0) return page;
    QString relinked = page;
    relinked.replace(at, from.size(), QStringLiteral(" background=\"") + HtmlText(link) + QLatin1Char('"'));
    return relinked;
}

void CopyBackgroundImage(const QString& folder, const QString& image) {
    WithTrail(CallSite(QStringLiteral("CopyBackgroundImage"), folder, image), [&] {
        QFile source(image);
        if (!source.open(QIODevice::ReadOnly)) RaiseErrno(FileExists(image) ? EACCES : ENOENT, false,
                                                         QStringLiteral("Sonivard"), image);
        const QByteArray bytes = source.readAll();
        const QString images = JoinPath(folder, QStringLiteral("Images"));
        if (!FolderExists(images) && !QDir().mkpath(images)) RaiseErrno(EACCES, true, QStringLiteral("Sonivard"), images);
        WriteFileAtomically(JoinPath(images, FileNamePart(image)), bytes);
    });
}

PageFileResult WriteCataloguePageFile(const QString& folder, const QString& fileName, const QString& text,
                                      bool useRecycleBin) {
    return WithTrail(CallSite(QStringLiteral("WriteCataloguePageFile"), folder, fileName), [&] {
        const QString path = JoinPath(folder, fileName);
        const bool exists = FileExists(path);
        if (exists && !useRecycleBin && !IsWriteable(path, false)) return PageFileResult::ReadOnly;
        AtomicFileWriter writer(path);
        writer.write(text.toUtf8());
        // The old page goes to the trash only once the new one is ready.
        if (exists && useRecycleBin && !SendFileToRecycleBin(path)) return PageFileResult::ReadOnly;
        writer.commit();
        return PageFileResult::Written;
    });
}
