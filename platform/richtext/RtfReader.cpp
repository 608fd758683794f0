#include "RtfReader.h"

#include "RtfDocumentBuilder.h"
#include "RtfParser.h"
#include "RtfTextCollector.h"

#include <QAtomicInt>
#include <QTextDocument>
#include <QUrl>

namespace {

bool isEmptyText(const QString& text)
{
    return text.isEmpty() || text == QLatin1String(" ");
}

// Plain text with its line breaks as "\n", each one a paragraph of its own.
QString normalizedLines(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

bool RtfReader::isRtf(QStringView text)
{
    return text.startsWith(QLatin1String("{\\rtf"));
}

void RtfReader::read(const QString& text, QTextDocument& document,
                     std::function<bool()> keepGoing)
{
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    if (isRtf(text)) {
        RtfDocumentBuilder builder(document, std::move(keepGoing));
        RtfParser::parse(text, builder);
    } else if (!isEmptyText(text)) {
        document.setPlainText(normalizedLines(text));
    }
    document.setUndoRedoEnabled(undo);
}

QString RtfReader::plainText(const QString& text)
{
    if (isRtf(text)) {
        RtfTextCollector collector;
        RtfParser::parse(text, collector);
        return collector.result();
    }
    if (isEmptyText(text))
        return {};
    QString plain = normalizedLines(text);
    for (QChar& c : plain) {
        if (c == QChar::Nbsp)
            c = QLatin1Char(' ');
        else if (c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = QLatin1Char('\n');
    }
    return plain;
}

QString RtfReader::addPicture(QTextDocument& document, const QByteArray& bytes)
{
    static QAtomicInt counter;
    const QString name = QStringLiteral("rtfpicture:%1").arg(counter.fetchAndAddRelaxed(1) + 1);
    document.addResource(QTextDocument::ImageResource, QUrl(name), bytes);
    return name;
}
