#include "PrivateProfile.h"

#include "ProfileText.h"
#include "file/SafeFileWriter.h"

#include <QFile>
#include <optional>

namespace {

// The section name of a "[name]" line, or nothing for any other line.
std::optional<QString> sectionOf(const QString& line)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
    if (close < 0)
        return std::nullopt;
    return trimmed.mid(1, close - 1).trimmed();
}

bool isComment(const QString& line)
{
    const QString trimmed = line.trimmed();
    return trimmed.startsWith(QLatin1Char(';'));
}

// The key name of a "key=value" line, or nothing for any other line.
std::optional<QString> keyOf(const QString& line)
{
    if (isComment(line))
        return std::nullopt;
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0)
        return std::nullopt;
    return line.left(equals).trimmed();
}

bool isQuote(QChar c)
{
    return c == QLatin1Char('"') || c == QLatin1Char('\'');
}

// A value between one pair of the same quote character, as the reader takes them off.
bool isQuoted(const QString& value)
{
    return value.size() >= 2 && isQuote(value.front()) && value.back() == value.front();
}

QString valueOf(const QString& line)
{
    const QString value = line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
    return isQuoted(value) ? value.mid(1, value.size() - 2) : value;
}

// The value as written, so that valueOf() gives it back: a value that is itself quoted gets
// one more pair of its quote.
QString storedForm(const QString& value)
{
    return isQuoted(value) ? value.front() + value + value.back() : value;
}

bool sameName(const QString& a, const QString& b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// Where a section's lines are: [header, end) with end one past its last line.
struct SectionSpan
{
    qsizetype header = -1;
    qsizetype end = -1;
};

SectionSpan findSection(const ProfileText& lines, const QString& section)
{
    SectionSpan span;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const std::optional<QString> name = sectionOf(lines.line(i));
        if (!name)
            continue;
        if (span.header >= 0) {
            span.end = i;
            return span;
        }
        if (sameName(*name, section))
            span.header = i;
    }
    if (span.header >= 0)
        span.end = lines.size();
    return span;
}

qsizetype findKey(const ProfileText& lines, const SectionSpan& span, const QString& key)
{
    for (qsizetype i = span.header + 1; i < span.end; ++i) {
        const std::optional<QString> name = keyOf(lines.line(i));
        if (name && sameName(*name, key))
            return i;
    }
    return -1;
}

} // namespace

PrivateProfile::PrivateProfile(const QString& filePath) : m_filePath(filePath) {}

ProfileText PrivateProfile::load() const
{
    QFile file(m_filePath);
    return ProfileText(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
}

QString PrivateProfile::read(const QString& section, const QString& key,
                             const QString& defaultValue, int bufferSize) const
{
    const ProfileText lines = load();
    const SectionSpan span = findSection(lines, section);
    QString value = defaultValue;
    if (span.header >= 0) {
        const qsizetype at = findKey(lines, span, key);
        if (at >= 0)
            value = valueOf(lines.line(at));
    }
    return value.left(qMax(0, bufferSize - 1));
}

bool PrivateProfile::write(const QString& section, const QString& key, const QString& value) const
{
    return write(section, {{key, value}});
}

bool PrivateProfile::write(const QString& section, const Entries& entries) const
{
    if (section.trimmed().isEmpty())
        return false;
    for (const auto& [key, value] : entries) {
        if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')) ||
            key.trimmed().isEmpty())
            return false;
    }

    ProfileText lines = load();
    for (const auto& [key, value] : entries) {
        const QString keyLine = key.trimmed() + QLatin1Char('=') + storedForm(value);
        const SectionSpan span = findSection(lines, section);
        if (span.header < 0) {
            lines.insertLine(lines.size(), QLatin1Char('[') + section.trimmed() + QLatin1Char(']'));
            lines.insertLine(lines.size(), keyLine);
        } else if (const qsizetype at = findKey(lines, span, key); at >= 0) {
            lines.setLine(at, keyLine);
        } else {
            // After the section's last non-blank line, so that blank lines before the next
            // section stay where they are.
            qsizetype insertAt = span.end;
            while (insertAt > span.header + 1 && lines.line(insertAt - 1).trimmed().isEmpty())
                --insertAt;
            lines.insertLine(insertAt, keyLine);
        }
    }
    return SafeFileWriter(m_filePath).write(lines.toBytes());
}
