#include "coordinator/SimulateChange.h"

#include "foundation/StringUtils.h"
#include "scanning/engine/ScanRecord.h"
#include "scanning/engine/ScanResultsModel.h"

#include <array>

namespace {

// "" for no track, else its decimal digits; the common numbers' texts are
// made once and shared by every row.
QString TrackText(int track) {
    static const std::array<QString, 256> common = [] {
        std::array<QString, 256> texts;
        for (int i = 1; i < 256; ++i) texts[size_t(i)] = QString::number(i);
        return texts;
    }();
    return track >= 0 && track < 256 ? common[size_t(track)] : QString::number(track);
}

// Blanks off both ends.
QString TrimmedBlanks(QString text) {
    static const QString blank = QStringLiteral(" ");
    return TrimChars(text, blank);
}

}  // namespace

SimAction SimulateOutcome::action() const {
    return ParseSimAction(cells[SimColumn::Action]).value_or(SimAction::Change);
}

NameDeriver::NameDeriver(const CoordinatorOptions& options, const CoordinatorAdvOptions& adv,
                         const DerivationOverrides& overrides)
    : m_settings(CompileDerivationSettings(options, adv)), m_overrides(overrides) {}

QString NameDeriver::sharedFolder(QAnyStringView folder) const {
    if (folder != m_lastFolder) m_lastFolder = folder.toString();
    return m_lastFolder;
}

SimulateOutcome NameDeriver::simulate(const ScanResultsModel& results, int row) const {
    return derive([&](int column) {
        const QAnyStringView cell = results.cellView(row, column);
        return column == ScanColumn::Folder ? sharedFolder(cell) : cell.toString();
    });
}

SimulateOutcome NameDeriver::simulate(const QStringList& cells) const {
    return derive([&](int column) { return cells.value(column); });
}

template <typename Cell>
SimulateOutcome NameDeriver::derive(const Cell& cell) const {
    SimulateOutcome outcome;
    try {
        DerivationRecord r;
        r.FileName = cell(ScanColumn::FileName);
        r.Folder = cell(ScanColumn::Folder);
        // The ID3v1 track as a byte: nothing outside 1..255 is a track.
        const int v1Track = TrackValue(cell(ScanColumn::ID3v1Track));
        r.ID3v1Track = v1Track > 0 && v1Track <= 255 ? v1Track : 0;
        // The tag texts without blanks and NULs at their ends.
        const auto tagText = [&](int column) {
            QString text = cell(column);
            return TrimBlanks(text);
        };
        r.Tags.ID3v1Title = tagText(ScanColumn::ID3v1Title);
        r.Tags.ID3v1Artist = tagText(ScanColumn::ID3v1Artist);
        r.Tags.ID3v1Album = tagText(ScanColumn::ID3v1Album);
        r.ID3v2Track = tagText(ScanColumn::ID3v2Track);
        r.Tags.ID3v2Title = tagText(ScanColumn::ID3v2Title);
        r.Tags.ID3v2Artist = tagText(ScanColumn::ID3v2Artist);
        r.Tags.ID3v2Album = tagText(ScanColumn::ID3v2Album);
        fill(r);
        outcome.cells = fillOutColumns(r);
    } catch (...) {
        SvError error = CurrentError();
        error.appendTrail(QStringLiteral("SimulateChange"));
        outcome.error = std::move(error);
    }
    return outcome;
}

void NameDeriver::fill(DerivationRecord& r) const {
    const qsizetype dot = r.FileName.lastIndexOf(QLatin1Char('.'));
    r.BaseName = dot < 0 ? r.FileName : r.FileName.left(dot);
    r.Extension = dot < 0 ? QString() : r.FileName.mid(dot + 1);

    r.BaseName = ApplySimRules(r.BaseName, m_settings);
    // Views of BaseName, which stays as it is from here on.
    std::vector<NamePart> parts = DeriveNames(r.BaseName, m_settings);
    r.Track = FindTrackNumber(parts, r.ID3v1Track, r.ID3v2Track, m_settings);
    TrimDerivedNames(parts, m_settings);
    if (r.Track == 0) {
        // Once more on the trimmed parts: a number with a separator after it
        // that the first search did not read.
        r.Track = FindTrackNumber(parts, r.ID3v1Track, r.ID3v2Track, m_settings);
        TrimDerivedNames(parts, m_settings);
    }
    r.TrackText = TrackText(r.Track);
    const DerivedNames names = WorkOutDerivedNames(parts, r.Tags, m_settings);
    r.Album = names.Album;
    r.Artist = m_overrides.blnOverrideArtist ? m_overrides.strOverrideArtist
                                             : FormatName(TrimmedBlanks(names.Artist), ArtistTarget, m_settings);
    r.Title = FormatName(TrimmedBlanks(names.Title), TitleTarget, m_settings);
    r.Action = names.NoChange ? SimAction::NoChange : names.Uncertain ? SimAction::ChangeQ : SimAction::Change;
}

SimRowTexts NameDeriver::fillOutColumns(DerivationRecord& r) const {
    return WithTrail(QStringLiteral("FillOutColumns"), [&] {
        SimRowTexts cells;
        cells[SimColumn::OldFileName] = r.FileName;
        cells[SimColumn::Folder] = r.Folder;
        cells[SimColumn::Track] = r.TrackText;
        cells[SimColumn::Album] = r.Album;
        cells[SimColumn::Artist] = r.Artist;
        cells[SimColumn::Title] = r.Title;
        if (r.Action == SimAction::NoChange) {
            // The present name; it must be one a rename could take.
            RequirePlainFileName(r.FileName);
            r.NewFileName = r.BaseName;
            cells[SimColumn::NewFileName] = r.FileName;
        } else {
            r.NewFileName = FillFileNameMask(m_settings.maskPlans, r.Album, r.TrackText, r.Artist, r.Title);
            cells[SimColumn::NewFileName] = PlainFileName(r.NewFileName, r.Extension);
        }
        cells[SimColumn::Action] = SimActionText(r.Action);
        return cells;
    });
}

SimulateOutcome SimulateChange(const QStringList& cells, const CoordinatorOptions& options,
                               const CoordinatorAdvOptions& adv, const DerivationOverrides& overrides) {
    return NameDeriver(options, adv, overrides).simulate(cells);
}
