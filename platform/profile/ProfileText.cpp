#include "ProfileText.h"

#include "text/Cp1252.h"

#include <QStringDecoder>

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

QString decodeLine(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? Cp1252::decode(bytes) : text;
}

} // namespace

ProfileText::ProfileText(const QByteArray& bytes) : m_ending("\n")
{
    QByteArray rest = bytes;
    if (rest.startsWith(kUtf8Bom)) {
        m_bom = kUtf8Bom;
        rest.remove(0, kUtf8Bom.size());
    }
    qsizetype start = 0;
    while (start < rest.size()) {
        const qsizetype newline = rest.indexOf('\n', start);
        const qsizetype end = newline < 0 ? rest.size() : newline;
        const bool carriageReturn = end > start && rest.at(end - 1) == '\r';
        Line line;
        line.bytes = rest.mid(start, end - start - (carriageReturn ? 1 : 0));
        line.ending = QByteArray(carriageReturn ? "\r" : "") + (newline < 0 ? "" : "\n");
        line.text = decodeLine(line.bytes);
        if (line.ending == "\r\n")
            m_ending = line.ending;
        m_lines.append(line);
        start = end + 1;
    }
}

void ProfileText::setLine(qsizetype index, const QString& text)
{
    Line& line = m_lines[index];
    line.text = text;
    line.bytes = text.toUtf8();
}

void ProfileText::insertLine(qsizetype index, const QString& text)
{
    m_lines.insert(index, Line{text, text.toUtf8(), m_ending});
}

QByteArray ProfileText::toBytes() const
{
    QByteArray bytes = m_bom;
    for (const Line& line : m_lines)
        bytes += line.bytes + (line.ending.endsWith('\n') ? line.ending : m_ending);
    return bytes;
}
