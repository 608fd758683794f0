#include "RtfDocumentBuilder.h"

#include "RtfReader.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

namespace {

QTextBlockFormat blockFormat(const RtfParser::ParagraphFormat& format)
{
    QTextBlockFormat block;
    block.setAlignment(format.alignment);
    if (format.list == RtfParser::ListKind::None) {
        block.setLeftMargin(format.leftIndent / 15.0);
        block.setTextIndent(format.firstIndent / 15.0);
    }
    block.setRightMargin(format.rightIndent / 15.0);
    return block;
}

QTextCharFormat textCharFormat(const RtfParser::CharFormat& format)
{
    QTextCharFormat result;
    if (!format.fontName.isEmpty())
        result.setFontFamilies({format.fontName});
    result.setFontPointSize(format.halfPoints / 2.0);
    if (format.bold)
        result.setFontWeight(QFont::Bold);
    if (format.italic)
        result.setFontItalic(true);
    if (format.underline)
        result.setFontUnderline(true);
    if (format.strikeOut)
        result.setFontStrikeOut(true);
    if (format.color.isValid())
        result.setForeground(format.color);
    return result;
}

} // namespace

RtfDocumentBuilder::RtfDocumentBuilder(QTextDocument& document,
                                       std::function<bool()> keepGoing)
    : m_document(document), m_keepGoing(std::move(keepGoing)), m_cursor(&document)
{
    m_cursor.beginEditBlock();
}

RtfDocumentBuilder::~RtfDocumentBuilder()
{
    m_cursor.endEditBlock();
}

void RtfDocumentBuilder::text(const QString& text, const RtfParser::CharFormat& format)
{
    openBlockIfPending();
    m_cursor.insertText(text, charFormat(format));
}

void RtfDocumentBuilder::paragraphEnd(const RtfParser::ParagraphFormat& format)
{
    openBlockIfPending();
    applyParagraph(format);
    m_blockPending = true;
}

void RtfDocumentBuilder::picture(const QByteArray& bytes, const QSizeF& size,
                                 const RtfParser::CharFormat& format)
{
    openBlockIfPending();
    QTextImageFormat image;
    image.merge(charFormat(format));
    image.setName(RtfReader::addPicture(m_document, bytes));
    image.setWidth(size.width());
    image.setHeight(size.height());
    m_cursor.insertImage(image);
}

void RtfDocumentBuilder::documentEnd(const RtfParser::ParagraphFormat& format)
{
    if (!m_blockPending)
        applyParagraph(format);
}

bool RtfDocumentBuilder::wantsMore() const
{
    return !m_keepGoing || m_keepGoing();
}

void RtfDocumentBuilder::openBlockIfPending()
{
    if (!m_blockPending)
        return;
    m_cursor.insertBlock(m_blockFormat, QTextCharFormat());
    m_blockPending = false;
}

void RtfDocumentBuilder::applyParagraph(const RtfParser::ParagraphFormat& format)
{
    if (m_paragraph != format) {
        m_paragraph = format;
        m_blockFormat = blockFormat(format);
        m_cursor.setBlockFormat(m_blockFormat);
    }
    if (format.list == RtfParser::ListKind::None) {
        m_list = nullptr;
        return;
    }
    const QTextListFormat::Style style = format.list == RtfParser::ListKind::Bullet
                                             ? QTextListFormat::ListDisc
                                             : QTextListFormat::ListDecimal;
    const QTextBlock current = m_cursor.block();
    const QTextBlock previous = current.previous();
    if (m_list && m_list->format().style() == style && previous.isValid() &&
        previous.textList() == m_list) {
        m_list->add(current);
    } else {
        QTextListFormat list;
        list.setStyle(style);
        m_list = m_cursor.createList(list);
    }
}

const QTextCharFormat& RtfDocumentBuilder::charFormat(const RtfParser::CharFormat& format)
{
    auto found = m_charFormats.constFind(format);
    if (found == m_charFormats.constEnd())
        found = m_charFormats.insert(format, textCharFormat(format));
    return *found;
}
