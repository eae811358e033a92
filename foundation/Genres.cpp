#include "foundation/Genres.h"

#include "foundation/Errors.h"
#include "foundation/OptionRecords.h"

#include <QHash>

QStringList gstrGenres;

namespace {

// The names joined by "|", as stored: the spellings are the table's own
// ("Phychedelic", "AlternRock", "Bebob", "Humour", "A Capella", ...).
const char kGenreText[] =
    "Blues|Classic Rock|Country|Dance|Disco|Funk|Grunge|Hip-Hop|Jazz|Metal|"
    "New Age|Oldies|Other|Pop|R&B|Rap|Reggae|Rock|Techno|Industrial|"
    "Alternative|Ska|Death Metal|Pranks|Soundtrack|Euro-Techno|Ambient|Trip-Hop|Vocal|Jazz+Funk|"
    "Fusion|Trance|Classical|Instrumental|Acid|House|Game|Sound Clip|Gospel|Noise|"
    "AlternRock|Bass|Soul|Punk|Space|Meditative|Instrumental Pop|Instrumental Rock|Ethnic|Gothic|"
    "Darkwave|Techno-Industrial|Electronic|Pop-Folk|Eurodance|Dream|Southern Rock|Comedy|Cult|Gangsta|"
    "Top 40|Christian Rap|Pop/Punk|Jungle|Native American|Cabaret|New Wave|Phychedelic|Rave|Showtunes|"
    "Trailer|Lo-Fi|Tribal|Acid Punk|Acid Jazz|Polka|Retro|Musical|Rock & Roll|Hard Rock|"
    "Folk|Folk/Rock|National Folk|Swing|Fast-Fusion|Bebob|Latin|Revival|Celtic|Bluegrass|"
    "Avantgarde|Gothic Rock|Progressive Rock|Psychedelic Rock|Symphonic Rock|Slow Rock|Big Band|Chorus|"
    "Easy Listening|Acoustic|"
    "Humour|Speech|Chanson|Opera|Chamber Music|Sonata|Symphony|Booty Bass|Primus|Porn Groove|"
    "Satire|Slow Jam|Club|Tango|Samba|Folklore|Ballad|Power Ballad|Rhythmic Soul|Freestyle|"
    "Duet|Punk Rock|Drum Solo|A Capella|Euro-House|Dance Hall|Goa|Drum & Bass|Club-House|Hardcore|"
    "Terror|Indie|BritPop|Negerpunk|Polsk Punk|Beat|Christian Gangsta Rap|Heavy Metal|Black Metal|Crossover|"
    "Contemporary Christian|Christian Rock|Merengue|Salsa|Thrash Metal|Anime|JPop|Synthpop";

const QStringList& Table() {
    static const QStringList table = QString::fromLatin1(kGenreText).split(QLatin1Char('|'));
    return table;
}

// Folded name -> index, for look-ups ignoring letter case.
const QHash<QString, int>& Index() {
    static const QHash<QString, int> index = [] {
        QHash<QString, int> h;
        const QStringList& t = Table();
        for (int i = 0; i < t.size(); ++i) h.insert(t[i].toCaseFolded(), i);
        return h;
    }();
    return index;
}

}  // namespace

void InitialiseArrays() {
    WithTrail(QStringLiteral("InitialiseArrays"), [&] {
        gstrGenres = Table();
        Options().ScanningCentre.udtScanRules.assign(1, ScanRule{});
        Options().Coordinator.udtSimulateRules.assign(1, SimulateRule{});
    });
}

uint8_t GetIDFromGenre(const QString& name) {
    if (name.isEmpty()) return kNoGenre;
    const auto it = Index().constFind(name.toCaseFolded());
    return it == Index().constEnd() ? kNoGenre : static_cast<uint8_t>(*it);
}

QString GetGenreFromID(uint8_t genre) { return genre < kGenreCount ? Table()[genre] : QString(); }

QStringList GenreComboItems(bool addBlank) {
    QStringList items;
    items.reserve(kGenreCount + 1);
    if (addBlank) items << QString();
    items += Table();
    return items;
}
