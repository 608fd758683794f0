#pragma once

#include "RtfParser.h"

// Collects only the plain characters of what the parser reports, in the form
// QTextDocument::toPlainText() gives for the document RtfDocumentBuilder would build.
class RtfTextCollector : public RtfParser::Sink
{
public:
    void text(const QString& text, const RtfParser::CharFormat& format) override;
    void paragraphEnd(const RtfParser::ParagraphFormat& format) override;
    void picture(const QByteArray& bytes, const QSizeF& size,
                 const RtfParser::CharFormat& format) override;
    void documentEnd(const RtfParser::ParagraphFormat& format) override;

    QString result() const { return m_text; }

private:
    void openBlockIfPending();

    QString m_text;
    bool m_blockPending = false;
};
