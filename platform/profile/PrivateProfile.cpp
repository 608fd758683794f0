#include "PrivateProfile.h"

#include "PathCase.h"
#include "text/Cp1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <optional>

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

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

QString valueOf(const QString& line)
{
    return line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
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

SectionSpan findSection(const QStringList& lines, const QString& section)
{
    SectionSpan span;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const std::optional<QString> name = sectionOf(lines.at(i));
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

qsizetype findKey(const QStringList& lines, const SectionSpan& span, const QString& key)
{
    for (qsizetype i = span.header + 1; i < span.end; ++i) {
        const std::optional<QString> name = keyOf(lines.at(i));
        if (name && sameName(*name, key))
            return i;
    }
    return -1;
}

} // namespace

PrivateProfile::PrivateProfile(const QString& filePath) : m_filePath(filePath) {}

QString PrivateProfile::resolvedPath() const
{
    return resolvePathCase(m_filePath);
}

QStringList PrivateProfile::loadLines(QString* lineEnding, bool* hadBom) const
{
    *lineEnding = QStringLiteral("\n");
    *hadBom = false;
    QFile file(resolvedPath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.readAll();
    if (bytes.startsWith(kUtf8Bom)) {
        bytes.remove(0, kUtf8Bom.size());
        *hadBom = true;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = Cp1252::decode(bytes);
    if (text.contains(QLatin1String("\r\n")))
        *lineEnding = QStringLiteral("\r\n");
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast(); // the final line ending
    return lines;
}

QString PrivateProfile::read(const QString& section, const QString& key,
                             const QString& defaultValue, int bufferSize) const
{
    QString lineEnding;
    bool hadBom = false;
    const QStringList lines = loadLines(&lineEnding, &hadBom);
    const SectionSpan span = findSection(lines, section);
    QString value = defaultValue;
    if (span.header >= 0) {
        const qsizetype at = findKey(lines, span, key);
        if (at >= 0)
            value = valueOf(lines.at(at));
    }
    return value.left(qMax(0, bufferSize - 1));
}

bool PrivateProfile::write(const QString& section, const QString& key, const QString& value) const
{
    if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')) ||
        section.trimmed().isEmpty() || key.trimmed().isEmpty())
        return false;
    const QString path = resolvedPath();
    const QFileInfo info(path);
    // A read-only file is refused even where the user could override it (root).
    if (info.exists() && (!info.isFile() || !(info.permissions() & QFileDevice::WriteOwner)))
        return false;

    QString lineEnding;
    bool hadBom = false;
    QStringList lines = loadLines(&lineEnding, &hadBom);
    const QString keyLine = key.trimmed() + QLatin1Char('=') + value;
    const SectionSpan span = findSection(lines, section);
    if (span.header < 0) {
        lines << QLatin1Char('[') + section.trimmed() + QLatin1Char(']') << keyLine;
    } else if (const qsizetype at = findKey(lines, span, key); at >= 0) {
        lines[at] = keyLine;
    } else {
        // After the section's last non-blank line, so that blank lines before the next
        // section stay where they are.
        qsizetype insertAt = span.end;
        while (insertAt > span.header + 1 && lines.at(insertAt - 1).trimmed().isEmpty())
            --insertAt;
        lines.insert(insertAt, keyLine);
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray bytes = hadBom ? kUtf8Bom : QByteArray();
    bytes += (lines.join(lineEnding) + lineEnding).toUtf8();
    if (file.write(bytes) != bytes.size())
        return false;
    return file.commit();
}
