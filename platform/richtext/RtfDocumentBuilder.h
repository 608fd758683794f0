#pragma once

#include "RtfParser.h"

#include <QHash>
#include <QTextCharFormat>
#include <QTextCursor>
#include <functional>
#include <optional>

class QTextDocument;
class QTextList;

// Builds a QTextDocument from what the parser reports: one block per paragraph, consecutive
// bulleted paragraphs in one list, pictures as image resources of the document. The whole
// build is one edit block, so the document reports one change and the cursor keeps no
// layout position up to date while it inserts. Each character format is made once, and a
// new block starts in the format of the paragraph before it, so that a run of paragraphs
// in one format sets no block format after the first.
class RtfDocumentBuilder : public RtfParser::Sink
{
public:
    // keepGoing, when given, is asked between pieces of the input and at paragraph ends;
    // false ends the document there.
    explicit RtfDocumentBuilder(QTextDocument& document, std::function<bool()> keepGoing = {});
    ~RtfDocumentBuilder() override;
    RtfDocumentBuilder(const RtfDocumentBuilder&) = delete;
    RtfDocumentBuilder& operator=(const RtfDocumentBuilder&) = delete;

    void text(const QString& text, const RtfParser::CharFormat& format) override;
    void paragraphEnd(const RtfParser::ParagraphFormat& format) override;
    void picture(const QByteArray& bytes, const QSizeF& size,
                 const RtfParser::CharFormat& format) override;
    void documentEnd(const RtfParser::ParagraphFormat& format) override;
    bool wantsMore() const override;

private:
    void openBlockIfPending();
    void applyParagraph(const RtfParser::ParagraphFormat& format);
    const QTextCharFormat& charFormat(const RtfParser::CharFormat& format);

    QTextDocument& m_document;
    std::function<bool()> m_keepGoing;
    QTextCursor m_cursor;
    bool m_blockPending = false;
    QTextList* m_list = nullptr;
    QHash<RtfParser::CharFormat, QTextCharFormat> m_charFormats;
    // The paragraph format of the last block format set, and that block format; a pending
    // block opens in it.
    std::optional<RtfParser::ParagraphFormat> m_paragraph;
    QTextBlockFormat m_blockFormat;
};
