#include "foundation/ResourceStrings.h"

#include "foundation/Errors.h"

#include <QFile>
#include <QHash>
#include <QLocale>
#include <limits>
#include <optional>

// The compiled-in resources live in a static library, whose initialiser the
// linker may drop: register them explicitly before the first look-up.
static void InitCompiledResources() { Q_INIT_RESOURCE(resources); }

namespace {
using Table = QHash<int32_t, QString>;

// One entry a line: the entry number, a tab, the text's name (the build makes
// the TextId constants of it), a tab, the text.  Inside the text "\n", "\r",
// "\t" and "\\" stand for line feed, carriage return, tab and backslash.
Table LoadTable(const QString& resource) {
    static const bool initialised = (InitCompiledResources(), true);
    (void)initialised;
    Table table;
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly)) return table;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (QByteArray line : lines) {
        if (line.endsWith('\r')) line.chop(1);
        if (line.isEmpty() || line.startsWith('#')) continue;
        const int tab = line.indexOf('\t');
        const int nameTab = line.indexOf('\t', tab + 1);
        if (tab <= 0 || nameTab < 0) continue;
        bool ok = false;
        const int32_t id = line.left(tab).toInt(&ok);
        if (!ok) continue;
        const QString raw = QString::fromUtf8(line.mid(nameTab + 1));
        QString text;
        text.reserve(raw.size());
        for (qsizetype i = 0; i < raw.size(); ++i) {
            const QChar c = raw[i];
            if (c == QLatin1Char('\\') && i + 1 < raw.size()) {
                const QChar n = raw[++i];
                if (n == QLatin1Char('n')) text += QLatin1Char('\n');
                else if (n == QLatin1Char('r')) text += QLatin1Char('\r');
                else if (n == QLatin1Char('t')) text += QLatin1Char('\t');
                else text += n;
            } else {
                text += c;
            }
        }
        table.insert(id, text);
    }
    return table;
}

const Table& TableFor(StringTableLanguage language) {
    static const Table us = LoadTable(QStringLiteral(":/strings/strings_us.txt"));
    static const Table uk = LoadTable(QStringLiteral(":/strings/strings_uk.txt"));
    return language == StringTableLanguage::UK ? uk : us;
}

std::optional<StringTableLanguage> g_language;
}  // namespace

StringTableLanguage StringTableLanguageFor(const QLocale& locale) {
    if (locale.language() != QLocale::English) return StringTableLanguage::US;
    switch (locale.territory()) {
    // American English, at home and in the territories that spell it.
    case QLocale::AnyTerritory:
    case QLocale::UnitedStates:
    case QLocale::UnitedStatesOutlyingIslands:
    case QLocale::UnitedStatesVirginIslands:
    case QLocale::AmericanSamoa:
    case QLocale::Guam:
    case QLocale::NorthernMarianaIslands:
    case QLocale::PuertoRico:
        return StringTableLanguage::US;
    default:
        return StringTableLanguage::UK;
    }
}

StringTableLanguage SystemStringTableLanguage() {
    // The texts follow the language the user reads (LANGUAGE, LC_MESSAGES),
    // not the one numbers are formatted in.
    const QLocale system = QLocale::system();
    const QStringList ui = system.uiLanguages();
    return StringTableLanguageFor(ui.isEmpty() ? system : QLocale(ui.first()));
}

void SetStringTableLanguage(StringTableLanguage language) { g_language = language; }

StringTableLanguage CurrentStringTableLanguage() {
    if (!g_language) g_language = SystemStringTableLanguage();
    return *g_language;
}

QString GetResourceString(int32_t lngId) {
    if (lngId > std::numeric_limits<int32_t>::max() - 1000) RaiseError(ErrNo::Overflow);
    const Table& table = TableFor(CurrentStringTableLanguage());
    auto it = table.constFind(lngId + 1000);
    if (it == table.constEnd()) RaiseError(ErrNo::ResourceNotFound);
    return *it;
}
