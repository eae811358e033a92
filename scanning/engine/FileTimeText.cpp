#include "scanning/engine/FileTimeText.h"

#include <QDate>
#include <QTime>
#include <algorithm>
#include <cstring>
#include <ctime>

namespace {
char16_t* PutNumber(char16_t* out, int value, bool twoDigits) {
    if (twoDigits || value >= 10) *out++ = char16_t(u'0' + value / 10);
    *out++ = char16_t(u'0' + value % 10);
    return out;
}
}  // namespace

FileTimeText::FileTimeText() : m_locale() {
    m_dateFormat = ShortDateFormat(m_locale);
    m_timeFormat = TimeFormatWithSeconds(m_locale);
    m_amUpper = m_locale.amText().toUpper();
    m_pmUpper = m_locale.pmText().toUpper();
    m_plainTime = parseTimeFormat(m_timeFormat);
    if (m_plainTime) {
        for (const Field& f : m_fields)
            m_longestTime += f.kind == Field::Literal ? f.literal.size()
                             : f.kind == Field::AmPm  ? std::max(m_amUpper.size(), m_pmUpper.size())
                                                      : 2;
        // Trust the fast path only where it agrees with the locale.
        static constexpr int samples[][3] = {{0, 0, 0}, {1, 2, 3}, {9, 59, 7}, {11, 5, 30}, {12, 0, 0},
                                             {12, 34, 56}, {13, 5, 9}, {20, 10, 45}, {23, 59, 59}};
        for (const auto& s : samples) {
            if (timeText(s[0], s[1], s[2]) != m_locale.toString(QTime(s[0], s[1], s[2]), m_timeFormat)) {
                m_plainTime = false;
                break;
            }
        }
    }
}

bool FileTimeText::parseTimeFormat(const QString& format) {
    m_fields.clear();
    qsizetype i = 0;
    auto literal = [&](QChar c) {
        if (m_fields.isEmpty() || m_fields.back().kind != Field::Literal) m_fields.push_back(Field{});
        m_fields.back().literal += c;
    };
    while (i < format.size()) {
        const QChar c = format[i];
        qsizetype run = 1;
        while (i + run < format.size() && format[i + run] == c) ++run;
        Field field;
        switch (c.unicode()) {
        case 'H':
        case 'h':
        case 'm':
        case 's':
            if (run > 2) return false;
            field.kind = c == QLatin1Char('H') ? Field::Hour24
                         : c == QLatin1Char('h') ? Field::Hour12
                         : c == QLatin1Char('m') ? Field::Minute
                                                 : Field::Second;
            field.twoDigits = run == 2;
            m_fields.push_back(field);
            i += run;
            continue;
        case 'A':
            // "AP" or "A": the locale's AM/PM text in upper case.
            if (run != 1) return false;
            field.kind = Field::AmPm;
            m_fields.push_back(field);
            i += (i + 1 < format.size() && format[i + 1] == QLatin1Char('P')) ? 2 : 1;
            continue;
        default:
            // Quotes, lower-case or mixed AM/PM forms and any other letter
            // (a field this formatter does not know) go to the locale.
            if (c.isLetter() || c == QLatin1Char('\'')) return false;
            for (qsizetype k = 0; k < run; ++k) literal(c);
            i += run;
            continue;
        }
    }
    return true;
}

QString FileTimeText::timeText(int hour, int minute, int second) const {
    if (m_longestTime > qsizetype(m_buffer.size())) return QString();
    return QString::fromUtf16(m_buffer.data(), writeTime(m_buffer.data(), hour, minute, second) - m_buffer.data());
}

char16_t* FileTimeText::writeTime(char16_t* out, int hour, int minute, int second) const {
    for (const Field& f : m_fields) {
        switch (f.kind) {
        case Field::Literal:
            std::memcpy(out, f.literal.utf16(), size_t(f.literal.size()) * sizeof(char16_t));
            out += f.literal.size();
            break;
        case Field::Hour24: out = PutNumber(out, hour, f.twoDigits); break;
        case Field::Hour12: out = PutNumber(out, hour % 12 == 0 ? 12 : hour % 12, f.twoDigits); break;
        case Field::Minute: out = PutNumber(out, minute, f.twoDigits); break;
        case Field::Second: out = PutNumber(out, second, f.twoDigits); break;
        case Field::AmPm: {
            const QString& text = hour < 12 ? m_amUpper : m_pmUpper;
            std::memcpy(out, text.utf16(), size_t(text.size()) * sizeof(char16_t));
            out += text.size();
            break;
        }
        }
    }
    return out;
}

QString FileTimeText::text(int64_t seconds) {
    if (seconds == m_lastSeconds) return m_lastText;
    const time_t t = static_cast<time_t>(seconds);
    struct tm local;
    if (::localtime_r(&t, &local) == nullptr) return QString();
    const int second = std::min(local.tm_sec, 59);
    const int64_t dayKey = int64_t(local.tm_year) * 400 + local.tm_yday;
    auto day = m_dates.constFind(dayKey);
    if (day == m_dates.constEnd()) {
        const QDate date(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
        if (!date.isValid()) return QString();
        if (m_dates.size() > 4096) m_dates.clear();
        day = m_dates.insert(dayKey, m_locale.toString(date, m_dateFormat));
    }
    QString result;
    if (m_plainTime && day->size() + 1 + m_longestTime <= qsizetype(m_buffer.size())) {
        // The date, a blank and the time, put together in one go.
        char16_t* out = m_buffer.data();
        std::memcpy(out, day->utf16(), size_t(day->size()) * sizeof(char16_t));
        out += day->size();
        *out++ = u' ';
        out = writeTime(out, local.tm_hour, local.tm_min, second);
        result = QString::fromUtf16(m_buffer.data(), out - m_buffer.data());
    } else {
        result = *day + QLatin1Char(' ');
        const QTime time(local.tm_hour, local.tm_min, second);
        if (!time.isValid()) return QString();
        result += m_locale.toString(time, m_timeFormat);
    }
    m_lastSeconds = seconds;
    m_lastText = result;
    return result;
}

FileDetails FileDetailsFromStatus(const QString& fileName, const struct statx& status, FileTimeText& times) {
    FileDetails details;
    if (!(status.stx_mode & S_IWUSR)) details.Attributes += QLatin1Char('R');
    if (fileName.startsWith(QLatin1Char('.'))) details.Attributes += QLatin1Char('H');
    if (status.stx_mask & STATX_BTIME) details.Created = times.text(status.stx_btime.tv_sec);
    details.Modified = times.text(status.stx_mtime.tv_sec);
    details.Accessed = times.text(status.stx_atime.tv_sec);
    return details;
}
