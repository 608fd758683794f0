#include "RtfParser.h"

#include "PngBytes.h"
#include "text/Cp1252.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QStringDecoder>
#include <QtEndian>
#include <algorithm>
#include <string_view>
#include <unordered_map>

enum class RtfParser::Word : int {
    // destinations
    FontTable, ColorTable, Picture, ListText, ListDefinition, Result, NonShapePicture,
    ShapePicture, Ignored,
    // document
    Rtf, Ansi, Mac, Pc, Pca, AnsiCodePage, DefaultFont, UnicodeSkip, Unicode, Binary,
    // character
    Plain, Bold, Italic, Underline, UnderlineOff, Strike, Color, Font, FontSize,
    // font and colour tables
    Charset, Red, Green, Blue,
    // paragraph and special characters
    Pard, AlignLeft, AlignCenter, AlignRight, Justify, LeftIndent, RightIndent, FirstIndent,
    Par, Line, Tab, Cell, ListBullet, ListNumbered, LeftQuote, RightQuote, LeftDoubleQuote,
    RightDoubleQuote, BulletCharacter, EmDash, EnDash, EmSpace, EnSpace, QuarterSpace,
    ZeroWidthJoiner, ZeroWidthNonJoiner,
    // pictures
    PngBlip, JpegBlip, Metafile, Bitmap, OtherPicture, GoalWidth, GoalHeight, ScaleX, ScaleY,
    Unknown
};

namespace {

// Nesting beyond this depth only counts braces; a picture beyond this size is dropped.
constexpr std::size_t kMaxDepth = 512;
constexpr int kMaxPictureBytes = 32 * 1024 * 1024;
constexpr int kMaxWordLength = 32;
constexpr int kMaxCodePage = 65535;

} // namespace

RtfParser::Word RtfParser::wordNamed(std::string_view name)
{
    using Wd = Word;
    static const std::unordered_map<std::string_view, Wd> table = {
        {"fonttbl", Wd::FontTable}, {"colortbl", Wd::ColorTable}, {"pict", Wd::Picture},
        {"pntext", Wd::ListText}, {"listtext", Wd::ListText}, {"pn", Wd::ListDefinition},
        {"fldrslt", Wd::Result}, {"result", Wd::Result}, {"nonshppict", Wd::NonShapePicture},
        {"shppict", Wd::ShapePicture},
        {"stylesheet", Wd::Ignored}, {"info", Wd::Ignored}, {"header", Wd::Ignored},
        {"headerl", Wd::Ignored}, {"headerr", Wd::Ignored}, {"headerf", Wd::Ignored},
        {"footer", Wd::Ignored}, {"footerl", Wd::Ignored}, {"footerr", Wd::Ignored},
        {"footerf", Wd::Ignored}, {"footnote", Wd::Ignored}, {"fldinst", Wd::Ignored},
        {"objdata", Wd::Ignored}, {"xe", Wd::Ignored}, {"tc", Wd::Ignored},
        {"template", Wd::Ignored}, {"listtable", Wd::Ignored},
        {"listoverridetable", Wd::Ignored}, {"revtbl", Wd::Ignored}, {"rsidtbl", Wd::Ignored},
        {"generator", Wd::Ignored}, {"themedata", Wd::Ignored},
        {"colorschememapping", Wd::Ignored}, {"latentstyles", Wd::Ignored},
        {"datastore", Wd::Ignored}, {"pgdsctbl", Wd::Ignored}, {"xmlnstbl", Wd::Ignored},
        {"annotation", Wd::Ignored}, {"atnid", Wd::Ignored}, {"atnauthor", Wd::Ignored},
        {"pntxta", Wd::Ignored}, {"pntxtb", Wd::Ignored}, {"falt", Wd::Ignored},
        {"panose", Wd::Ignored}, {"blipuid", Wd::Ignored}, {"picprop", Wd::Ignored},
        {"filetbl", Wd::Ignored}, {"objclass", Wd::Ignored}, {"objname", Wd::Ignored},
        {"rtf", Wd::Rtf}, {"ansi", Wd::Ansi}, {"mac", Wd::Mac}, {"pc", Wd::Pc},
        {"pca", Wd::Pca}, {"ansicpg", Wd::AnsiCodePage}, {"deff", Wd::DefaultFont},
        {"uc", Wd::UnicodeSkip}, {"u", Wd::Unicode}, {"bin", Wd::Binary},
        {"plain", Wd::Plain}, {"b", Wd::Bold}, {"i", Wd::Italic}, {"ul", Wd::Underline},
        {"uld", Wd::Underline}, {"uldb", Wd::Underline}, {"ulw", Wd::Underline},
        {"ulwave", Wd::Underline}, {"uldash", Wd::Underline}, {"ulth", Wd::Underline},
        {"ulnone", Wd::UnderlineOff}, {"strike", Wd::Strike}, {"striked", Wd::Strike},
        {"cf", Wd::Color}, {"f", Wd::Font}, {"fs", Wd::FontSize},
        {"fcharset", Wd::Charset}, {"red", Wd::Red}, {"green", Wd::Green},
        {"blue", Wd::Blue},
        {"pard", Wd::Pard}, {"ql", Wd::AlignLeft}, {"qc", Wd::AlignCenter},
        {"qr", Wd::AlignRight}, {"qj", Wd::Justify}, {"li", Wd::LeftIndent},
        {"ri", Wd::RightIndent}, {"fi", Wd::FirstIndent}, {"par", Wd::Par},
        {"sect", Wd::Par}, {"row", Wd::Par}, {"line", Wd::Line}, {"tab", Wd::Tab},
        {"cell", Wd::Cell}, {"nestcell", Wd::Cell}, {"pnlvlblt", Wd::ListBullet},
        {"pnlvlbody", Wd::ListNumbered}, {"lquote", Wd::LeftQuote},
        {"rquote", Wd::RightQuote}, {"ldblquote", Wd::LeftDoubleQuote},
        {"rdblquote", Wd::RightDoubleQuote}, {"bullet", Wd::BulletCharacter},
        {"emdash", Wd::EmDash}, {"endash", Wd::EnDash}, {"emspace", Wd::EmSpace},
        {"enspace", Wd::EnSpace}, {"qmspace", Wd::QuarterSpace},
        {"zwj", Wd::ZeroWidthJoiner}, {"zwnj", Wd::ZeroWidthNonJoiner},
        {"pngblip", Wd::PngBlip}, {"jpegblip", Wd::JpegBlip}, {"wmetafile", Wd::Metafile},
        {"dibitmap", Wd::Bitmap}, {"emfblip", Wd::OtherPicture},
        {"macpict", Wd::OtherPicture}, {"pmmetafile", Wd::OtherPicture},
        {"wbitmap", Wd::OtherPicture}, {"picwgoal", Wd::GoalWidth},
        {"pichgoal", Wd::GoalHeight}, {"picscalex", Wd::ScaleX}, {"picscaley", Wd::ScaleY},
    };
    const auto found = table.find(name);
    return found == table.end() ? Wd::Unknown : found->second;
}

namespace {

bool isLetter(char16_t c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Characters that a QTextDocument takes for structure (block and frame breaks, objects)
// or that no text holds.
bool isStructural(char16_t c)
{
    return (c < 0x20 && c != '\t') || c == QChar::ParagraphSeparator || c == 0xFDD0 ||
           c == 0xFDD1 || c == QChar::ObjectReplacementCharacter;
}

bool isDigit(char16_t c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char16_t c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The Windows code page of a font's \fcharset; 0 for "the document's code page", 42 for
// the Symbol font.
int codePageOfCharset(int charset)
{
    switch (charset) {
    case 0: return 1252;
    case 2: return 42;
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 255: return 437;
    default: return 0;
    }
}

QByteArray decoderName(int codePage)
{
    switch (codePage) {
    case 932: return "Shift_JIS";
    case 936: return "GBK";
    case 949: return "windows-949";
    case 950: return "Big5";
    case 437: return "IBM437";
    case 850: return "IBM850";
    case 10000: return "macintosh";
    default: return "windows-" + QByteArray::number(codePage);
    }
}

// A device-independent bitmap wrapped by a metafile's StretchDIB or DIBStretchBlt record,
// with a file header in front so that it loads as BMP; empty when there is none.
QByteArray bitmapFromMetafile(const QByteArray& metafile)
{
    const auto* data = reinterpret_cast<const uchar*>(metafile.constData());
    const qsizetype size = metafile.size();
    qsizetype pos = 0;
    if (size >= 22 && qFromLittleEndian<quint32>(data) == 0x9AC6CDD7u)
        pos = 22; // placeable header
    if (pos + 18 > size)
        return {};
    pos += qsizetype(qFromLittleEndian<quint16>(data + pos + 2)) * 2; // header size in words
    while (pos + 6 <= size) {
        const qint64 recordBytes = qint64(qFromLittleEndian<quint32>(data + pos)) * 2;
        const quint16 function = qFromLittleEndian<quint16>(data + pos + 4);
        if (recordBytes < 6 || pos + recordBytes > size)
            return {};
        const qsizetype params = function == 0x0F43 ? 22 : function == 0x0B41 ? 20 : -1;
        if (params >= 0 && recordBytes > 6 + params)
            return metafile.mid(pos + 6 + params, recordBytes - 6 - params);
        pos += recordBytes;
    }
    return {};
}

QByteArray bitmapFile(const QByteArray& dib)
{
    if (dib.size() < 40)
        return {};
    const auto* data = reinterpret_cast<const uchar*>(dib.constData());
    const quint32 headerSize = qFromLittleEndian<quint32>(data);
    const quint16 bitCount = qFromLittleEndian<quint16>(data + 14);
    const quint32 compression = qFromLittleEndian<quint32>(data + 16);
    quint32 colors = qFromLittleEndian<quint32>(data + 32);
    if (colors == 0 && bitCount <= 8)
        colors = 1u << bitCount;
    if (headerSize < 40 || colors > 256)
        return {};
    quint32 offset = 14 + headerSize + colors * 4;
    if (headerSize == 40 && compression == 3)
        offset += 12;
    QByteArray file(14, '\0');
    auto* head = reinterpret_cast<uchar*>(file.data());
    head[0] = 'B';
    head[1] = 'M';
    qToLittleEndian<quint32>(quint32(14 + dib.size()), head + 2);
    qToLittleEndian<quint32>(offset, head + 10);
    return file + dib;
}

QByteArray toPng(const QByteArray& bitmap)
{
    return pngBytes(QImage::fromData(bitmap, "BMP"));
}

bool isPngOrJpeg(const QByteArray& bytes)
{
    return bytes.startsWith("\x89PNG") || bytes.startsWith("\xFF\xD8");
}

} // namespace

bool RtfParser::CharFormat::operator==(const CharFormat& other) const
{
    return halfPoints == other.halfPoints && bold == other.bold && italic == other.italic &&
           underline == other.underline && strikeOut == other.strikeOut &&
           color == other.color && fontName == other.fontName;
}

size_t qHash(const RtfParser::CharFormat& format, size_t seed)
{
    return qHashMulti(seed, format.fontName, format.color.rgba(), format.color.isValid(),
                      format.halfPoints, format.bold, format.italic, format.underline,
                      format.strikeOut);
}

bool RtfParser::ParagraphFormat::operator==(const ParagraphFormat& other) const
{
    return alignment == other.alignment && leftIndent == other.leftIndent &&
           rightIndent == other.rightIndent && firstIndent == other.firstIndent &&
           list == other.list;
}

bool RtfParser::CharState::operator==(const CharState& other) const
{
    return font == other.font && color == other.color && halfPoints == other.halfPoints &&
           bold == other.bold && italic == other.italic && underline == other.underline &&
           strikeOut == other.strikeOut;
}

void RtfParser::parse(QStringView rtf, Sink& sink)
{
    RtfParser parser(rtf, sink);
    parser.run();
}

RtfParser::RtfParser(QStringView rtf, Sink& sink) : m_in(rtf), m_sink(sink)
{
    m_groups.reserve(16);
}

void RtfParser::run()
{
    const qsizetype size = m_in.size();
    while (m_pos < size && !m_done && m_sink.wantsMore()) {
        const char16_t c = m_in[m_pos].unicode();
        if (!m_bytes.isEmpty() &&
            !(c == '\\' && m_pos + 1 < size && m_in[m_pos + 1] == QLatin1Char('\'')))
            flushBytes();
        switch (c) {
        case '{':
            ++m_pos;
            openGroup();
            break;
        case '}':
            ++m_pos;
            closeGroup();
            break;
        case '\\':
            ++m_pos;
            controlSequence();
            break;
        case '\r':
        case '\n':
            ++m_pos;
            break;
        default:
            if (m_groups.empty()) {
                ++m_pos; // text before the first brace
            } else if (destination() == Destination::Text && m_skipUnits == 0 &&
                       m_highSurrogate == 0) {
                plainRun();
            } else if (destination() == Destination::Picture && m_skipUnits == 0) {
                pictureRun();
            } else {
                ++m_pos;
                character(c);
            }
        }
    }
    flushBytes();
    flushText();
    m_sink.documentEnd(m_paragraph);
}

RtfParser::Destination RtfParser::destination() const
{
    if (m_overflowDepth > 0 || m_groups.empty())
        return Destination::Skip;
    return m_groups.back().destination;
}

void RtfParser::openGroup()
{
    m_skipUnits = 0;
    m_starred = false;
    if (m_overflowDepth > 0 || m_groups.size() >= kMaxDepth) {
        ++m_overflowDepth;
        return;
    }
    if (m_groups.empty())
        m_groups.emplace_back();
    else
        m_groups.push_back(m_groups.back());
}

void RtfParser::closeGroup()
{
    m_skipUnits = 0;
    m_starred = false;
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return;
    }
    if (m_groups.size() <= 1) {
        m_done = true; // the document's group, or a brace too many
        return;
    }
    const Group& inner = m_groups.back();
    const Group& outer = m_groups[m_groups.size() - 2];
    if (!(inner.chars == outer.chars))
        flushText();
    const Group closed = inner;
    m_groups.pop_back();
    if (closed.destination != group().destination)
        endDestination(closed);
}

void RtfParser::endDestination(const Group& closed)
{
    switch (closed.destination) {
    case Destination::FontTable:
        if (m_fontEntry >= 0 && !m_fontEntryName.trimmed().isEmpty())
            fontTableCharacter(';');
        break;
    case Destination::Picture:
        finishPicture();
        break;
    case Destination::ListText:
        m_pendingListText = m_listText;
        m_listText.clear();
        break;
    default:
        break;
    }
}

void RtfParser::controlSequence()
{
    const qsizetype size = m_in.size();
    if (m_pos >= size)
        return;
    const char16_t first = m_in[m_pos].unicode();
    if (!isLetter(first)) {
        ++m_pos;
        controlSymbol(first);
        return;
    }
    char name[kMaxWordLength + 1];
    int length = 0;
    while (m_pos < size && isLetter(m_in[m_pos].unicode())) {
        if (length < kMaxWordLength)
            name[length] = char(m_in[m_pos].unicode());
        ++length;
        ++m_pos;
    }
    bool hasValue = false;
    bool negative = false;
    qint64 value = 0;
    if (m_pos + 1 < size && m_in[m_pos] == QLatin1Char('-') && isDigit(m_in[m_pos + 1].unicode())) {
        negative = true;
        ++m_pos;
    }
    int digits = 0;
    while (m_pos < size && isDigit(m_in[m_pos].unicode())) {
        if (digits < 10)
            value = value * 10 + (m_in[m_pos].unicode() - '0');
        ++digits;
        ++m_pos;
    }
    hasValue = digits > 0;
    if (m_pos < size && m_in[m_pos] == QLatin1Char(' '))
        ++m_pos;
    value = std::clamp<qint64>(negative ? -value : value, INT_MIN, INT_MAX);

    const Word word = length <= kMaxWordLength
                          ? wordNamed(std::string_view(name, std::size_t(length)))
                          : Word::Unknown;
    controlWord(word, hasValue, int(value));
}

void RtfParser::controlSymbol(char16_t symbol)
{
    switch (symbol) {
    case '\'':
        hexByte();
        return;
    case '*':
        m_starred = true;
        return;
    case '\r':
    case '\n':
        controlWord(Word::Par, false, 0);
        return;
    case '{':
    case '}':
    case '\\':
        character(symbol);
        return;
    case '~':
        character(0x00A0);
        return;
    case '_':
        character(0x2011);
        return;
    default:
        if (m_skipUnits > 0)
            --m_skipUnits;
        return; // \- \: \| and unknown symbols
    }
}

void RtfParser::hexByte()
{
    const qsizetype size = m_in.size();
    int value = 0;
    int digits = 0;
    bool valid = true;
    while (digits < 2 && m_pos < size) {
        const char16_t c = m_in[m_pos].unicode();
        if (c == '{' || c == '}' || c == '\\')
            break;
        const int nibble = hexValue(c);
        valid = valid && nibble >= 0;
        value = value * 16 + std::max(nibble, 0);
        ++digits;
        ++m_pos;
    }
    if (m_skipUnits > 0) {
        --m_skipUnits;
        return;
    }
    if (!valid || digits < 2)
        return;
    const Destination dest = destination();
    if (dest == Destination::Text || dest == Destination::FontTable ||
        dest == Destination::ListText)
        m_bytes.append(char(value));
}

void RtfParser::binaryData(int length)
{
    const qsizetype count = std::clamp<qsizetype>(length, 0, m_in.size() - m_pos);
    if (destination() == Destination::Picture && !m_picture.tooLarge) {
        if (m_picture.data.size() + count > kMaxPictureBytes) {
            m_picture.tooLarge = true;
        } else {
            for (qsizetype i = 0; i < count; ++i)
                m_picture.data.append(char(m_in[m_pos + i].unicode() & 0xFF));
        }
    }
    m_pos += count;
}

void RtfParser::controlWord(Word word, bool hasValue, int value)
{
    if (word == Word::Binary) {
        binaryData(hasValue ? value : 0);
        return;
    }
    const bool starred = m_starred;
    m_starred = false;
    if (destination() == Destination::Skip)
        return;
    if (m_skipUnits > 0) {
        --m_skipUnits;
        return;
    }
    if (starred && word != Word::ShapePicture && word != Word::ListDefinition) {
        group().destination = Destination::Skip;
        return;
    }
    if (destinationWord(word) || documentWord(word, value) ||
        characterWord(word, hasValue, value))
        return;
    switch (destination()) {
    case Destination::Text:
        paragraphWord(word, value);
        break;
    case Destination::ListText:
        specialCharacterWord(word);
        break;
    case Destination::FontTable:
    case Destination::ColorTable:
        tableWord(word, value);
        break;
    case Destination::Picture:
        pictureWord(word, value);
        break;
    case Destination::ListDefinition:
        if (word == Word::ListBullet)
            m_paragraph.list = ListKind::Bullet;
        else if (word == Word::ListNumbered)
            m_paragraph.list = ListKind::Numbered;
        break;
    default:
        break;
    }
}

bool RtfParser::destinationWord(Word word)
{
    switch (word) {
    case Word::FontTable:
        group().destination = Destination::FontTable;
        m_fontEntry = -1;
        return true;
    case Word::ColorTable:
        group().destination = Destination::ColorTable;
        m_colorEntrySet = false;
        return true;
    case Word::Picture:
        flushText();
        group().destination = Destination::Picture;
        m_picture = PictureState{};
        return true;
    case Word::ListText:
        group().destination = Destination::ListText;
        m_listText.clear();
        return true;
    case Word::ListDefinition:
        group().destination = Destination::ListDefinition;
        return true;
    case Word::Result:
        group().destination = Destination::Text;
        return true;
    case Word::NonShapePicture:
    case Word::Ignored:
        group().destination = Destination::Skip;
        return true;
    case Word::ShapePicture:
        return true;
    default:
        return false;
    }
}

bool RtfParser::documentWord(Word word, int value)
{
    switch (word) {
    case Word::Rtf:
        return true;
    case Word::Ansi:
        m_ansiCodePage = 1252;
        return true;
    case Word::Mac:
        m_ansiCodePage = 10000;
        return true;
    case Word::Pc:
        m_ansiCodePage = 437;
        return true;
    case Word::Pca:
        m_ansiCodePage = 850;
        return true;
    case Word::AnsiCodePage:
        if (value > 0 && value <= kMaxCodePage)
            m_ansiCodePage = value;
        return true;
    case Word::DefaultFont:
        m_defaultFont = value;
        return true;
    case Word::UnicodeSkip:
        group().unicodeSkip = std::clamp(value, 0, 8);
        return true;
    case Word::Unicode:
        unicodeCharacter(value);
        return true;
    default:
        return false;
    }
}

bool RtfParser::characterWord(Word word, bool hasValue, int value)
{
    const bool on = !hasValue || value != 0;
    CharState next = group().chars;
    switch (word) {
    case Word::Plain:
        next = CharState{};
        break;
    case Word::Bold:
        next.bold = on;
        break;
    case Word::Italic:
        next.italic = on;
        break;
    case Word::Underline:
        next.underline = on;
        break;
    case Word::UnderlineOff:
        next.underline = false;
        break;
    case Word::Strike:
        next.strikeOut = on;
        break;
    case Word::Color:
        next.color = value;
        break;
    case Word::FontSize:
        next.halfPoints = hasValue ? std::clamp(value, 2, 3276) : 24;
        break;
    case Word::Font:
        if (destination() == Destination::FontTable) {
            m_fontEntry = value;
            m_fontEntryCharset = -1;
            m_fontEntryName.clear();
            return true;
        }
        if (m_fonts.contains(value))
            next.font = value;
        break;
    default:
        return false;
    }
    if (!(next == group().chars)) {
        flushText();
        group().chars = next;
    }
    return true;
}

bool RtfParser::paragraphWord(Word word, int value)
{
    switch (word) {
    case Word::Pard:
        m_paragraph = ParagraphFormat{};
        return true;
    case Word::AlignLeft:
        m_paragraph.alignment = Qt::AlignLeft;
        return true;
    case Word::AlignCenter:
        m_paragraph.alignment = Qt::AlignHCenter;
        return true;
    case Word::AlignRight:
        m_paragraph.alignment = Qt::AlignRight;
        return true;
    case Word::Justify:
        m_paragraph.alignment = Qt::AlignJustify;
        return true;
    case Word::LeftIndent:
        m_paragraph.leftIndent = std::clamp(value, -31680, 31680);
        return true;
    case Word::RightIndent:
        m_paragraph.rightIndent = std::clamp(value, -31680, 31680);
        return true;
    case Word::FirstIndent:
        m_paragraph.firstIndent = std::clamp(value, -31680, 31680);
        return true;
    case Word::Par:
        paragraphEnd();
        return true;
    default:
        return specialCharacterWord(word);
    }
}

bool RtfParser::specialCharacterWord(Word word)
{
    switch (word) {
    case Word::Line:
        textCharacter(QChar::LineSeparator);
        return true;
    case Word::Tab:
    case Word::Cell:
        textCharacter('\t');
        return true;
    case Word::LeftQuote:
        textCharacter(0x2018);
        return true;
    case Word::RightQuote:
        textCharacter(0x2019);
        return true;
    case Word::LeftDoubleQuote:
        textCharacter(0x201C);
        return true;
    case Word::RightDoubleQuote:
        textCharacter(0x201D);
        return true;
    case Word::BulletCharacter:
        textCharacter(0x2022);
        return true;
    case Word::EmDash:
        textCharacter(0x2014);
        return true;
    case Word::EnDash:
        textCharacter(0x2013);
        return true;
    case Word::EmSpace:
        textCharacter(0x2003);
        return true;
    case Word::EnSpace:
        textCharacter(0x2002);
        return true;
    case Word::QuarterSpace:
        textCharacter(0x2005);
        return true;
    case Word::ZeroWidthJoiner:
        textCharacter(0x200D);
        return true;
    case Word::ZeroWidthNonJoiner:
        textCharacter(0x200C);
        return true;
    default:
        return false;
    }
}

void RtfParser::tableWord(Word word, int value)
{
    switch (word) {
    case Word::Charset:
        m_fontEntryCharset = value;
        break;
    case Word::Red:
        m_red = std::clamp(value, 0, 255);
        m_colorEntrySet = true;
        break;
    case Word::Green:
        m_green = std::clamp(value, 0, 255);
        m_colorEntrySet = true;
        break;
    case Word::Blue:
        m_blue = std::clamp(value, 0, 255);
        m_colorEntrySet = true;
        break;
    default:
        break;
    }
}

bool RtfParser::pictureWord(Word word, int value)
{
    switch (word) {
    case Word::PngBlip:
    case Word::JpegBlip:
        m_picture.kind = PictureKind::Blip;
        return true;
    case Word::Metafile:
        m_picture.kind = PictureKind::Metafile;
        return true;
    case Word::Bitmap:
        m_picture.kind = PictureKind::Bitmap;
        return true;
    case Word::OtherPicture:
        m_picture.kind = PictureKind::None;
        return true;
    case Word::GoalWidth:
        m_picture.goalWidth = std::clamp(value, 0, 31680);
        return true;
    case Word::GoalHeight:
        m_picture.goalHeight = std::clamp(value, 0, 31680);
        return true;
    case Word::ScaleX:
        m_picture.scaleX = std::clamp(value, 1, 1000);
        return true;
    case Word::ScaleY:
        m_picture.scaleY = std::clamp(value, 1, 1000);
        return true;
    default:
        return false;
    }
}

void RtfParser::plainRun()
{
    const qsizetype size = m_in.size();
    const qsizetype start = m_pos;
    while (m_pos < size) {
        const char16_t c = m_in[m_pos].unicode();
        if (c == '{' || c == '}' || c == '\\' || c < 0x20 || c >= 0x2028)
            break;
        ++m_pos;
    }
    if (m_pos > start) {
        flushListText();
        m_text.append(m_in.mid(start, m_pos - start));
    } else {
        ++m_pos;
        character(m_in[start].unicode());
    }
}

// The picture's hex digits up to the next brace or control sequence, decoded straight into
// its bytes; other characters count for nothing. Every hex digit of a picture comes here:
// the characters that character() gets in a picture are skipped ones or escaped symbols.
void RtfParser::pictureRun()
{
    const qsizetype size = m_in.size();
    const qsizetype start = m_pos;
    while (m_pos < size) {
        const char16_t c = m_in[m_pos].unicode();
        if (c == '{' || c == '}' || c == '\\')
            break;
        ++m_pos;
    }
    if (m_picture.tooLarge)
        return;
    QByteArray& data = m_picture.data;
    const qsizetype before = data.size();
    data.resize(before + (m_pos - start + 1) / 2); // room for a pending digit and the run
    char* const begin = data.data();
    char* out = begin + before;
    for (qsizetype i = start; i < m_pos; ++i) {
        const int nibble = hexValue(m_in[i].unicode());
        if (nibble < 0)
            continue;
        if (m_picture.pendingNibble < 0) {
            m_picture.pendingNibble = nibble;
            continue;
        }
        if (out - begin >= kMaxPictureBytes) {
            m_picture.tooLarge = true;
            break;
        }
        *out++ = char(m_picture.pendingNibble * 16 + nibble);
        m_picture.pendingNibble = -1;
    }
    data.resize(out - begin);
}

void RtfParser::character(char16_t c)
{
    if (m_skipUnits > 0) {
        --m_skipUnits;
        return;
    }
    if (c < 0x20 && c != '\t')
        return;
    switch (destination()) {
    case Destination::Text:
    case Destination::ListText:
        textCharacter(c);
        break;
    case Destination::FontTable:
        fontTableCharacter(c);
        break;
    case Destination::ColorTable:
        colorTableCharacter(c);
        break;
    default:
        break;
    }
}

void RtfParser::textCharacter(char16_t c)
{
    QString& target = destination() == Destination::ListText ? m_listText : m_text;
    if (&target == &m_text)
        flushListText();
    if (m_highSurrogate != 0) {
        const char16_t high = m_highSurrogate;
        m_highSurrogate = 0;
        if (QChar::isLowSurrogate(c)) {
            target.append(QChar(high));
            target.append(QChar(c));
            return;
        }
        target.append(QChar(QChar::ReplacementCharacter));
    }
    if (QChar::isHighSurrogate(c)) {
        m_highSurrogate = c;
        return;
    }
    if (QChar::isLowSurrogate(c))
        c = QChar::ReplacementCharacter;
    else if (c == 0xF0B7)
        c = 0x2022; // the Symbol font's bullet as Unicode private use
    else if (isStructural(c))
        return;
    target.append(QChar(c));
}

void RtfParser::unicodeCharacter(int value)
{
    const int unit = value < 0 ? value + 65536 : value;
    const int skip = group().unicodeSkip;
    if (unit >= 0 && unit <= 0xFFFF) {
        const Destination dest = destination();
        if (dest == Destination::Text || dest == Destination::ListText)
            textCharacter(char16_t(unit));
        else if (dest == Destination::FontTable)
            m_fontEntryName.append(QChar(char16_t(unit)));
    } else if (destination() == Destination::Text) {
        textCharacter(QChar::ReplacementCharacter);
    }
    m_skipUnits = skip;
}

void RtfParser::fontTableCharacter(char16_t c)
{
    if (c != ';') {
        m_fontEntryName.append(QChar(c));
        return;
    }
    if (m_fontEntry >= 0)
        m_fonts.insert(m_fontEntry,
                       Font{m_fontEntryName.trimmed(), codePageOfCharset(m_fontEntryCharset)});
    m_fontEntry = -1;
    m_fontEntryName.clear();
}

void RtfParser::colorTableCharacter(char16_t c)
{
    if (c != ';')
        return;
    m_colors.push_back(m_colorEntrySet ? QColor(m_red, m_green, m_blue) : QColor());
    m_red = m_green = m_blue = 0;
    m_colorEntrySet = false;
}

void RtfParser::flushBytes()
{
    if (m_bytes.isEmpty())
        return;
    const bool fontName = destination() == Destination::FontTable;
    const int entryCodePage = codePageOfCharset(m_fontEntryCharset);
    const int codePage = !fontName            ? codePageOfFont(group().chars.font)
                         : entryCodePage != 0 ? entryCodePage
                                              : m_ansiCodePage;
    const QString text = decode(m_bytes, codePage);
    m_bytes.resize(0); // keeps the buffer for the next bytes
    if (fontName) {
        m_fontEntryName += text;
        return;
    }
    for (QChar c : text)
        textCharacter(c.unicode());
}

void RtfParser::flushListText()
{
    if (m_pendingListText.isEmpty())
        return;
    const QString listText = m_pendingListText;
    m_pendingListText.clear();
    if (m_paragraph.list == ListKind::None)
        m_text += listText;
}

void RtfParser::flushText()
{
    if (m_highSurrogate != 0) {
        m_highSurrogate = 0;
        m_text.append(QChar(QChar::ReplacementCharacter));
    }
    if (m_text.isEmpty())
        return;
    m_sink.text(m_text, resolved(group().chars));
    m_text.resize(0); // keeps the buffer for the next run
}

void RtfParser::paragraphEnd()
{
    flushListText();
    flushText();
    m_sink.paragraphEnd(m_paragraph);
}

void RtfParser::finishPicture()
{
    const PictureState picture = std::move(m_picture);
    m_picture = PictureState{};
    QByteArray bytes = picture.tooLarge ? QByteArray() : picture.data;
    if (!isPngOrJpeg(bytes)) {
        if (picture.kind == PictureKind::Metafile)
            bytes = toPng(bitmapFile(bitmapFromMetafile(bytes)));
        else if (picture.kind == PictureKind::Bitmap)
            bytes = toPng(bitmapFile(bytes));
        else
            return;
    }
    QSizeF size;
    if (picture.goalWidth > 0 && picture.goalHeight > 0) {
        size = QSizeF(picture.goalWidth, picture.goalHeight) / 15.0;
    } else {
        QBuffer buffer(&bytes);
        size = QImageReader(&buffer).size();
    }
    size = QSizeF(size.width() * picture.scaleX / 100.0, size.height() * picture.scaleY / 100.0);
    if (size.isEmpty())
        return;
    flushListText();
    flushText();
    m_sink.picture(bytes, size, resolved(group().chars));
}

RtfParser::CharFormat RtfParser::resolved(const CharState& state) const
{
    CharFormat format;
    const auto font = m_fonts.constFind(state.font < 0 ? m_defaultFont : state.font);
    if (font != m_fonts.constEnd())
        format.fontName = font->name;
    if (state.color > 0 && std::size_t(state.color) < m_colors.size())
        format.color = m_colors[std::size_t(state.color)];
    format.halfPoints = state.halfPoints;
    format.bold = state.bold;
    format.italic = state.italic;
    format.underline = state.underline;
    format.strikeOut = state.strikeOut;
    return format;
}

int RtfParser::codePageOfFont(int font) const
{
    const auto found = m_fonts.constFind(font < 0 ? m_defaultFont : font);
    if (found == m_fonts.constEnd() || found->codePage == 0)
        return m_ansiCodePage;
    return found->codePage;
}

QString RtfParser::decode(const QByteArray& bytes, int codePage)
{
    if (codePage == 42) {
        QString text = Cp1252::decode(bytes);
        text.replace(QChar(0x00B7), QChar(0x2022));
        return text;
    }
    if (codePage != 1252) {
        auto& decoder = m_decoders[codePage];
        if (!decoder)
            decoder = std::make_unique<QStringDecoder>(decoderName(codePage).constData(),
                                                       QStringConverter::Flag::Stateless);
        if (decoder->isValid())
            return decoder->decode(bytes);
    }
    return Cp1252::decode(bytes);
}
