#include "RtfTextCollector.h"

void RtfTextCollector::text(const QString& text, const RtfParser::CharFormat&)
{
    openBlockIfPending();
    const qsizetype start = m_text.size();
    m_text.append(text);
    for (qsizetype i = start; i < m_text.size(); ++i) {
        const QChar c = m_text.at(i);
        if (c == QChar::Nbsp)
            m_text[i] = QLatin1Char(' ');
        else if (c == QChar::LineSeparator)
            m_text[i] = QLatin1Char('\n');
    }
}

void RtfTextCollector::paragraphEnd(const RtfParser::ParagraphFormat&)
{
    openBlockIfPending();
    m_blockPending = true;
}

void RtfTextCollector::picture(const QByteArray&, const QSizeF&, const RtfParser::CharFormat&)
{
    openBlockIfPending();
    m_text.append(QChar::ObjectReplacementCharacter);
}

void RtfTextCollector::documentEnd(const RtfParser::ParagraphFormat&) {}

void RtfTextCollector::openBlockIfPending()
{
    if (!m_blockPending)
        return;
    m_text.append(QLatin1Char('\n'));
    m_blockPending = false;
}
