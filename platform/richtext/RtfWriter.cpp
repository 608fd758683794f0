#include "RtfWriter.h"

#include "PngBytes.h"
#include "text/Cp1252.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QUrl>

namespace {

// Lines are broken between tokens once they reach this length.
constexpr qsizetype kLineLength = 200;
constexpr int kPictureBytesPerLine = 64;

bool needsDelimiter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           c == ' ' || c == '-';
}

bool isPng(const QByteArray& bytes)
{
    return bytes.startsWith("\x89PNG");
}

bool isJpeg(const QByteArray& bytes)
{
    return bytes.startsWith("\xFF\xD8");
}

} // namespace

bool RtfWriter::Paragraph::operator==(const Paragraph& other) const
{
    return alignment == other.alignment && leftIndent == other.leftIndent &&
           rightIndent == other.rightIndent && firstIndent == other.firstIndent &&
           bullet == other.bullet;
}

QString RtfWriter::write(const QTextDocument& document)
{
    RtfWriter writer(document);
    return writer.run();
}

RtfWriter::RtfWriter(const QTextDocument& document) : m_document(document)
{
    const QFont font = document.defaultFont();
    m_defaultFamily = font.family();
    if (font.pointSizeF() > 0)
        m_defaultHalfPoints = qMax(2, qRound(font.pointSizeF() * 2));
}

QString RtfWriter::run()
{
    collectTables();
    m_out.reserve(4096);
    writeHeader();
    for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next())
        writeBlock(block);
    brace('}');
    newLine();
    return QString::fromLatin1(m_out);
}

void RtfWriter::collectTables()
{
    m_fonts.append(m_defaultFamily);
    bool bullets = false;
    for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next()) {
        bullets = bullets || block.textList() != nullptr;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat())
                continue;
            const QString family = familyOf(format);
            if (!m_fonts.contains(family))
                m_fonts.append(family);
            const QColor color = colorOf(format);
            if (color.isValid() && !m_colors.contains(color))
                m_colors.append(color);
        }
    }
    if (bullets)
        m_symbolFont = int(m_fonts.size());
}

void RtfWriter::writeHeader()
{
    brace('{');
    word("rtf", 1);
    word("ansi");
    word("ansicpg", 1252);
    word("deff", 0);
    word("deflang", 1033);
    brace('{');
    word("fonttbl");
    for (int i = 0; i < m_fonts.size(); ++i) {
        brace('{');
        word("f", i);
        word("fnil");
        word("fcharset", 0);
        writeText(QString(m_fonts.at(i)).remove(QLatin1Char(';')));
        textChar(';');
        brace('}');
    }
    if (m_symbolFont >= 0) {
        brace('{');
        word("f", m_symbolFont);
        word("fnil");
        word("fcharset", 2);
        writeText(u"Symbol;");
        brace('}');
    }
    brace('}');
    newLine();
    if (!m_colors.isEmpty()) {
        brace('{');
        word("colortbl");
        textChar(';');
        for (const QColor& color : qAsConst(m_colors)) {
            word("red", color.red());
            word("green", color.green());
            word("blue", color.blue());
            textChar(';');
        }
        brace('}');
        newLine();
    }
    brace('{');
    symbol("\\*");
    word("generator");
    writeText(u"Quorvel;");
    brace('}');
    word("viewkind", 4);
    word("uc", 1);
    newLine();
}

void RtfWriter::writeBlock(const QTextBlock& block)
{
    const Paragraph paragraph = paragraphOf(block);
    if (!m_paragraphWritten || !(paragraph == m_paragraph))
        writeParagraph(paragraph);
    else if (paragraph.bullet)
        writeListText();
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat format = fragment.charFormat();
        if (format.isImageFormat()) {
            for (int i = 0; i < fragment.length(); ++i)
                writePicture(format.toImageFormat());
        } else {
            writeChars(format);
            writeText(fragment.text());
        }
    }
    word("par");
    newLine();
}

void RtfWriter::writeParagraph(const Paragraph& paragraph)
{
    word("pard");
    if (paragraph.bullet) {
        writeListText();
        brace('{');
        symbol("\\*");
        word("pn");
        word("pnlvlblt");
        word("pnf", m_symbolFont);
        word("pnindent", 0);
        brace('{');
        word("pntxtb");
        symbol("\\'b7");
        brace('}');
        brace('}');
        word("fi", -360);
        word("li", 360);
    } else {
        if (paragraph.firstIndent != 0)
            word("fi", paragraph.firstIndent);
        if (paragraph.leftIndent != 0)
            word("li", paragraph.leftIndent);
    }
    if (paragraph.rightIndent != 0)
        word("ri", paragraph.rightIndent);
    if (paragraph.alignment == Qt::AlignHCenter)
        word("qc");
    else if (paragraph.alignment == Qt::AlignRight)
        word("qr");
    else if (paragraph.alignment == Qt::AlignJustify)
        word("qj");
    m_paragraph = paragraph;
    m_paragraphWritten = true;
}

void RtfWriter::writeListText()
{
    brace('{');
    word("pntext");
    word("f", m_symbolFont);
    symbol("\\'b7");
    word("tab");
    brace('}');
}

void RtfWriter::writeChars(const QTextCharFormat& format)
{
    Chars chars;
    chars.font = int(m_fonts.indexOf(familyOf(format)));
    chars.halfPoints = format.fontPointSize() > 0 ? qMax(2, qRound(format.fontPointSize() * 2))
                                                  : m_defaultHalfPoints;
    const QColor color = colorOf(format);
    chars.color = color.isValid() ? int(m_colors.indexOf(color)) + 1 : 0;
    chars.bold = format.fontWeight() >= QFont::DemiBold;
    chars.italic = format.fontItalic();
    chars.underline = format.fontUnderline();
    chars.strikeOut = format.fontStrikeOut();

    if (chars.font != m_written.font)
        word("f", chars.font);
    if (chars.halfPoints != m_written.halfPoints)
        word("fs", chars.halfPoints);
    if (chars.color != m_written.color)
        word("cf", chars.color);
    if (chars.bold != m_written.bold)
        chars.bold ? word("b") : word("b", 0);
    if (chars.italic != m_written.italic)
        chars.italic ? word("i") : word("i", 0);
    if (chars.underline != m_written.underline)
        chars.underline ? word("ul") : word("ulnone");
    if (chars.strikeOut != m_written.strikeOut)
        chars.strikeOut ? word("strike") : word("strike", 0);
    m_written = chars;
}

void RtfWriter::writeText(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            word("u", c - 65536);
            textChar('?');
            c = text[++i].unicode();
            word("u", c - 65536);
            textChar('?');
            continue;
        }
        if (QChar::isSurrogate(c))
            c = QChar::ReplacementCharacter;
        switch (c) {
        case '\\':
            symbol("\\\\");
            continue;
        case '{':
            symbol("\\{");
            continue;
        case '}':
            symbol("\\}");
            continue;
        case '\t':
            word("tab");
            continue;
        case QChar::LineSeparator:
            word("line");
            continue;
        case QChar::Nbsp:
            symbol("\\~");
            continue;
        default:
            break;
        }
        if (c < 0x20 || (c >= 0x7F && c < 0xA0) || c == QChar::ObjectReplacementCharacter ||
            c == QChar::ParagraphSeparator)
            continue;
        if (c < 0x80) {
            textChar(char(c));
            continue;
        }
        if (const auto byte = Cp1252::fromUnicode(QChar(c))) {
            static const char digits[] = "0123456789abcdef";
            const char escape[] = {'\\', '\'', digits[*byte >> 4], digits[*byte & 15], '\0'};
            symbol(escape);
            continue;
        }
        word("u", c > 32767 ? c - 65536 : c);
        textChar('?');
    }
}

void RtfWriter::writePicture(const QTextImageFormat& format)
{
    QByteArray bytes = pictureBytes(format);
    if (bytes.isEmpty())
        return;
    QBuffer buffer(&bytes);
    const QSize natural = QImageReader(&buffer).size();
    const qreal width = format.width() > 0 ? format.width() : natural.width();
    const qreal height = format.height() > 0 ? format.height() : natural.height();
    brace('{');
    word("pict");
    word(isPng(bytes) ? "pngblip" : "jpegblip");
    word("picw", natural.width());
    word("pich", natural.height());
    word("picwgoal", qRound(width * 15));
    word("pichgoal", qRound(height * 15));
    const QByteArray hex = bytes.toHex();
    for (qsizetype pos = 0; pos < hex.size(); pos += 2 * kPictureBytesPerLine) {
        newLine();
        m_out.append(hex.constData() + pos, qMin<qsizetype>(2 * kPictureBytesPerLine,
                                                            hex.size() - pos));
    }
    brace('}');
}

QByteArray RtfWriter::pictureBytes(const QTextImageFormat& format) const
{
    const QVariant resource = m_document.resource(QTextDocument::ImageResource,
                                                  QUrl(format.name()));
    if (resource.userType() == QMetaType::QByteArray) {
        const QByteArray bytes = resource.toByteArray();
        if (isPng(bytes) || isJpeg(bytes))
            return bytes;
    }
    QImage image;
    if (resource.userType() == QMetaType::QImage)
        image = resource.value<QImage>();
    else if (resource.userType() == QMetaType::QPixmap)
        image = resource.value<QPixmap>().toImage();
    else if (resource.userType() == QMetaType::QByteArray)
        image.loadFromData(resource.toByteArray());
    return pngBytes(image);
}

RtfWriter::Paragraph RtfWriter::paragraphOf(const QTextBlock& block) const
{
    const QTextBlockFormat format = block.blockFormat();
    Paragraph paragraph;
    const Qt::Alignment horizontal = format.alignment() & Qt::AlignHorizontal_Mask;
    if (horizontal & Qt::AlignHCenter)
        paragraph.alignment = Qt::AlignHCenter;
    else if (horizontal & (Qt::AlignRight | Qt::AlignTrailing))
        paragraph.alignment = Qt::AlignRight;
    else if (horizontal & Qt::AlignJustify)
        paragraph.alignment = Qt::AlignJustify;
    else
        paragraph.alignment = Qt::AlignLeft;
    paragraph.bullet = block.textList() != nullptr;
    paragraph.rightIndent = qRound(format.rightMargin() * 15);
    if (!paragraph.bullet) {
        paragraph.leftIndent = qRound(format.leftMargin() * 15);
        paragraph.firstIndent = qRound(format.textIndent() * 15);
    }
    return paragraph;
}

QString RtfWriter::familyOf(const QTextCharFormat& format) const
{
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.first().isEmpty())
        return families.first();
    return m_defaultFamily;
}

QColor RtfWriter::colorOf(const QTextCharFormat& format) const
{
    if (!format.hasProperty(QTextFormat::ForegroundBrush) ||
        format.foreground().style() == Qt::NoBrush)
        return {};
    return format.foreground().color().toRgb();
}

void RtfWriter::word(const char* name)
{
    breakLongLine();
    m_out.append('\\');
    m_out.append(name);
    m_delimiterPending = true;
}

void RtfWriter::word(const char* name, int value)
{
    word(name);
    m_out.append(QByteArray::number(value));
}

void RtfWriter::symbol(const char* text)
{
    breakLongLine();
    m_out.append(text);
    m_delimiterPending = false;
}

void RtfWriter::brace(char brace)
{
    breakLongLine();
    m_out.append(brace);
    m_delimiterPending = false;
}

void RtfWriter::textChar(char character)
{
    if (m_delimiterPending) {
        if (needsDelimiter(character))
            m_out.append(' ');
        m_delimiterPending = false;
    } else {
        breakLongLine();
    }
    m_out.append(character);
}

void RtfWriter::newLine()
{
    m_out.append("\r\n");
    m_lineStart = m_out.size();
    m_delimiterPending = false;
}

void RtfWriter::breakLongLine()
{
    if (m_out.size() - m_lineStart >= kLineLength)
        newLine();
}
