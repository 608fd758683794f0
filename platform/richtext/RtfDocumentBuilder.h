#pragma once

#include "RtfParser.h"

#include <QTextCharFormat>
#include <QTextCursor>

class QTextDocument;
class QTextList;

// Builds a QTextDocument from what the parser reports: one block per paragraph, consecutive
// bulleted paragraphs in one list, pictures as image resources of the document. The whole
// build is one edit block, so the document reports one change and the cursor keeps no
// layout position up to date while it inserts.
class RtfDocumentBuilder : public RtfParser::Sink
{
public:
    explicit RtfDocumentBuilder(QTextDocument& document);
    ~RtfDocumentBuilder() override;
    RtfDocumentBuilder(const RtfDocumentBuilder&) = delete;
    RtfDocumentBuilder& operator=(const RtfDocumentBuilder&) = delete;

    void text(QStringView text, const RtfParser::CharFormat& format) override;
    void paragraphEnd(const RtfParser::ParagraphFormat& format) override;
    void picture(const QByteArray& bytes, const QSizeF& size,
                 const RtfParser::CharFormat& format) override;
    void documentEnd(const RtfParser::ParagraphFormat& format) override;

private:
    void openBlockIfPending();
    void applyParagraph(const RtfParser::ParagraphFormat& format);
    const QTextCharFormat& charFormat(const RtfParser::CharFormat& format);

    QTextDocument& m_document;
    QTextCursor m_cursor;
    bool m_blockPending = false;
    QTextList* m_list = nullptr;
    RtfParser::CharFormat m_lastFormat;
    QTextCharFormat m_lastCharFormat;
    bool m_hasLastFormat = false;
};
