#pragma once

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QSizeF>
#include <QString>
#include <QStringView>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

class QStringDecoder;

// The RTF tokenizer and its state machine. It keeps the group state on an explicit stack and
// hands text runs, paragraph ends and pictures to a Sink, which builds a document or only
// collects the plain text.
class RtfParser
{
public:
    struct CharFormat
    {
        QString fontName; // empty when the font table does not name the font
        QColor color;     // invalid for the automatic colour
        int halfPoints = 24;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strikeOut = false;

        bool operator==(const CharFormat& other) const;
        bool operator!=(const CharFormat& other) const { return !(*this == other); }
    };

    enum class ListKind { None, Bullet, Numbered };

    struct ParagraphFormat
    {
        Qt::Alignment alignment = Qt::AlignLeft;
        int leftIndent = 0; // twips
        int rightIndent = 0;
        int firstIndent = 0;
        ListKind list = ListKind::None;

        bool operator==(const ParagraphFormat& other) const;
        bool operator!=(const ParagraphFormat& other) const { return !(*this == other); }
    };

    class Sink
    {
    public:
        virtual ~Sink() = default;
        virtual void text(const QString& text, const CharFormat& format) = 0;
        virtual void paragraphEnd(const ParagraphFormat& format) = 0;
        // PNG or JPEG bytes and the displayed size in pixels.
        virtual void picture(const QByteArray& bytes, const QSizeF& size,
                             const CharFormat& format) = 0;
        virtual void documentEnd(const ParagraphFormat& format) = 0;
        // Asked before each piece of the input: false ends the document where it stands.
        virtual bool wantsMore() const { return true; }
    };

    // Reads an RTF text that begins with "{\rtf" and ends the sink's document.
    static void parse(QStringView rtf, Sink& sink);

private:
    enum class Destination { Text, Skip, FontTable, ColorTable, Picture, ListText, ListDefinition };
    enum class PictureKind { None, Blip, Metafile, Bitmap };
    enum class Word : int; // the control words the reader knows, listed in the source

    struct CharState
    {
        int font = -1; // -1: the default font
        int color = 0;
        int halfPoints = 24;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strikeOut = false;

        bool operator==(const CharState& other) const;
    };

    struct Group
    {
        CharState chars;
        Destination destination = Destination::Text;
        int unicodeSkip = 1;
    };

    struct Font
    {
        QString name;
        int codePage = 0; // 0: the document's code page
    };

    struct PictureState
    {
        PictureKind kind = PictureKind::None;
        QByteArray data;
        int pendingNibble = -1;
        bool tooLarge = false;
        int goalWidth = 0; // twips
        int goalHeight = 0;
        int scaleX = 100;
        int scaleY = 100;
    };

    static Word wordNamed(std::string_view name);

    RtfParser(QStringView rtf, Sink& sink);
    void run();

    Group& group() { return m_groups.back(); }
    Destination destination() const;
    void openGroup();
    void closeGroup();
    void endDestination(const Group& closed);
    void controlSequence();
    void controlSymbol(char16_t symbol);
    void controlWord(Word word, bool hasValue, int value);
    bool destinationWord(Word word);
    bool documentWord(Word word, int value);
    bool characterWord(Word word, bool hasValue, int value);
    bool paragraphWord(Word word, int value);
    bool specialCharacterWord(Word word);
    bool pictureWord(Word word, int value);
    void tableWord(Word word, int value);
    void hexByte();
    void binaryData(int length);
    void plainRun();
    void pictureRun();
    void character(char16_t c);
    void textCharacter(char16_t c);
    void unicodeCharacter(int value);
    void fontTableCharacter(char16_t c);
    void colorTableCharacter(char16_t c);
    void flushBytes();
    void flushText();
    void flushListText();
    void paragraphEnd();
    void finishPicture();
    CharFormat resolved(const CharState& state) const;
    int codePageOfFont(int font) const;
    QString decode(const QByteArray& bytes, int codePage);

    QStringView m_in;
    qsizetype m_pos = 0;
    Sink& m_sink;
    bool m_done = false;

    std::vector<Group> m_groups;
    int m_overflowDepth = 0;
    bool m_starred = false;
    int m_skipUnits = 0;

    QHash<int, Font> m_fonts;
    int m_defaultFont = 0;
    int m_ansiCodePage = 1252;
    int m_fontEntry = -1;
    int m_fontEntryCharset = -1;
    QString m_fontEntryName;

    std::vector<QColor> m_colors;
    int m_red = 0;
    int m_green = 0;
    int m_blue = 0;
    bool m_colorEntrySet = false;

    ParagraphFormat m_paragraph;
    QString m_text;
    QByteArray m_bytes;
    char16_t m_highSurrogate = 0;
    QString m_listText;
    QString m_pendingListText;
    PictureState m_picture;
    std::map<int, std::unique_ptr<QStringDecoder>> m_decoders;
};

size_t qHash(const RtfParser::CharFormat& format, size_t seed = 0);
