#include "cataloguer/CatalogueColumns.h"

#include <QHash>

const QStringList& CatalogueColumnNames() {
    static const QStringList names = {
        QStringLiteral("Album"),        QStringLiteral("Artist"),        QStringLiteral("Bitrate"),
        QStringLiteral("Comment"),      QStringLiteral("Composer"),      QStringLiteral("Copyright"),
        QStringLiteral("Copyrighted"),  QStringLiteral("CRC's"),         QStringLiteral("Emphasis"),
        QStringLiteral("Encoded by"),   QStringLiteral("File Size"),     QStringLiteral("File Name"),
        QStringLiteral("Frames"),       QStringLiteral("Frequency"),     QStringLiteral("Genre"),
        QStringLiteral("Layer Version"), QStringLiteral("Length"),       QStringLiteral("Mode"),
        QStringLiteral("MPEG Version"), QStringLiteral("Orig. Artist"),  QStringLiteral("Original"),
        QStringLiteral("Path"),         QStringLiteral("Private"),       QStringLiteral("Title"),
        QStringLiteral("Track"),        QStringLiteral("URL"),           QStringLiteral("Year"),
    };
    return names;
}

CatalogueColumn CatalogueColumnFromName(const QString& name) {
    static const QHash<QString, int> index = [] {
        QHash<QString, int> h;
        const QStringList& names = CatalogueColumnNames();
        for (int i = 0; i < names.size(); ++i) h.insert(names[i], i);
        return h;
    }();
    const auto it = index.constFind(name);
    return it == index.constEnd() ? CatalogueColumn::Unknown : static_cast<CatalogueColumn>(*it);
}

std::vector<CatalogueColumn> CatalogueColumnsFromNames(const std::vector<QString>& names, int count) {
    std::vector<CatalogueColumn> columns;
    for (int j = 0; j < count; ++j)
        columns.push_back(size_t(j) < names.size() ? CatalogueColumnFromName(names[size_t(j)])
                                                   : CatalogueColumn::Unknown);
    return columns;
}

QString ChooseID3Field(const QString& id3v1Value, const QString& id3v2Value, TagPreference preference) {
    if (preference == TagPreference::ID3v1) return id3v1Value.isEmpty() ? id3v2Value : id3v1Value;
    return id3v2Value.isEmpty() ? id3v1Value : id3v2Value;
}

