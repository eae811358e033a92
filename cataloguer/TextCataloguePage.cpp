#include "cataloguer/TextCataloguePage.h"

#include "foundation/Errors.h"
#include "foundation/SharedServices.h"

namespace {
const QString CRLF = QStringLiteral("\r\n");
}  // namespace

QString TextCatalogueCell(const QString& cellText, int width) {
    if (width < 0) RaiseError(ErrNo::InvalidCall);
    QString text = cellText;
    // A comment may hold line breaks; in a fixed column they would split the row.
    for (QChar& c : text)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n')) c = QLatin1Char(' ');
    if (text.size() <= width) return text + QString(width - text.size(), QLatin1Char(' '));
    qsizetype cut = width;
    if (cut > 0 && text[cut - 1].isHighSurrogate() && text[cut].isLowSurrogate()) --cut;
    return text.left(cut) + QString(width - cut, QLatin1Char(' '));
}

TextCataloguePage::TextCataloguePage(const Catalogue& catalogue, const CataloguerTextOptions& options,
                                     const CataloguePageContext& context)
    : m_catalogue(catalogue), m_options(options), m_context(context) {}

QString TextCataloguePage::page(int page, JobHost& job) const {
    return WithTrail(CallSite(QStringLiteral("TextCataloguePage"), page), [&] {
        return CreatePageHeader_Text() + CreateList_Text(page, job) + CRLF + CreateFooter_Text();
    });
}

int TextCataloguePage::width(int column) const {
    const auto& widths = m_options.intColumnHeadingWidths;
    return size_t(column) < widths.size() ? widths[size_t(column)] : 0;
}

QString TextCataloguePage::CreatePageHeader_Text() const {
    return WithTrail(QStringLiteral("CreatePageHeader_Text"), [&] {
        return Title_Text() + CollectionProps_Text() + CRLF + CRLF + ListProps_Text() + ColumnHeadings_Text();
    });
}

QString TextCataloguePage::Title_Text() const {
    return m_options.blnHeaderTitle ? m_options.strTitleText : QString();
}

QString TextCataloguePage::CollectionProps_Text() const {
    if (!m_options.blnCollectionProps) return QString();
    QString text;
    if (m_options.blnTotalNumFiles)
        text = QStringLiteral("\t\t") + QString::number(m_catalogue.entryCount()) + QStringLiteral(" Files");
    if (m_options.blnTotalSizeFiles)
        text += QStringLiteral(", ") + CatalogueMegabytes(m_catalogue.totalBytes(), m_context.locale) +
                QStringLiteral("MB");
    if (m_options.blnTotalLengthFiles)
        text += QStringLiteral(", ") + TimeFromSeconds(m_catalogue.totalSeconds()) + QStringLiteral(" Total Length");
    return text;
}

QString TextCataloguePage::ListProps_Text() const {
    if (!m_options.blnListProps) return QString();
    QString text;
    if (m_options.blnListCreationDate) {
        text = QStringLiteral("List Created: ") + CatalogueLongDate(m_context.now, m_context.locale);
        if (m_options.blnListCreationTime)
            text += QStringLiteral(", ") + CatalogueLongTime(m_context.now, m_context.locale);
    }
    if (m_options.blnNumPagesInList)
        text += CRLF + QStringLiteral("Number of Pages: ") + QString::number(m_catalogue.pageCount());
    return text + CRLF + CRLF;
}

QString TextCataloguePage::ColumnHeadings_Text() const {
    return WithTrail(QStringLiteral("ColumnHeadings_Text"), [&] {
        if (!m_options.blnColumnHeadings) return QString();
        QString text;
        const auto& names = m_options.strColumnHeadings;
        for (int j = 0; j < m_options.intNumColumnHeadings; ++j)
            text += TextCatalogueCell(size_t(j) < names.size() ? names[size_t(j)] : QString(), width(j)) +
                    QLatin1Char(' ');
        return text + CRLF + CRLF;
    });
}

QString TextCataloguePage::CreateList_Text(int page, JobHost& job) const {
    return WithTrail(CallSite(QStringLiteral("CreateList_Text"), page, m_catalogue.entriesPerPage()), [&] {
        const std::vector<CatalogueColumn> columns =
            CatalogueColumnsFromNames(m_options.strColumnHeadings, m_options.intNumColumnHeadings);
        std::vector<int> widths;
        for (size_t j = 0; j < columns.size(); ++j) widths.push_back(width(int(j)));

        QString text;
        ForEachPageEntry(m_catalogue, page, job, [&](int i) {
            for (size_t j = 0; j < columns.size(); ++j)
                text += TextCatalogueCell(m_catalogue.cell(i, columns[j], m_context.preference), widths[j]) +
                        QLatin1Char(' ');
            text += CRLF;
        });
        return text;
    });
}

QString TextCataloguePage::CreateFooter_Text() const {
    const CatalogueProgram& program = m_context.program;
    return CatalogueGeneratedUsing(program) + QStringLiteral(" by ") + program.company;
}
