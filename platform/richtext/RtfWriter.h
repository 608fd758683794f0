#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QStringList>
#include <QStringView>

class QTextBlock;
class QTextCharFormat;
class QTextDocument;
class QTextImageFormat;

// Writes a QTextDocument as one RTF document in the form classic Windows rich-edit controls
// write: a font and colour table, formats switched inline, \par per paragraph. The output is
// 7-bit ASCII, RtfReader reads it back to the same document, and writing what was read gives
// the same text byte for byte.
class RtfWriter
{
public:
    static QString write(const QTextDocument& document);

private:
    struct Chars
    {
        int font = -1;
        int halfPoints = -1;
        int color = 0;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strikeOut = false;
    };

    struct Paragraph
    {
        int alignment = 0; // one of Qt::AlignLeft, AlignHCenter, AlignRight, AlignJustify
        int leftIndent = 0; // twips
        int rightIndent = 0;
        int firstIndent = 0;
        bool bullet = false;

        bool operator==(const Paragraph& other) const;
    };

    explicit RtfWriter(const QTextDocument& document);
    QString run();
    void collectTables();
    void writeHeader();
    void writeBlock(const QTextBlock& block);
    void writeParagraph(const Paragraph& paragraph);
    void writeListText();
    void writeChars(const QTextCharFormat& format);
    void writeText(QStringView text);
    void writePicture(const QTextImageFormat& format);
    QByteArray pictureBytes(const QTextImageFormat& format) const;
    Paragraph paragraphOf(const QTextBlock& block) const;
    QString familyOf(const QTextCharFormat& format) const;
    QColor colorOf(const QTextCharFormat& format) const;

    // The output: control words (a delimiting space is added only where the next character
    // needs one), control symbols, braces and text characters, lines kept short.
    void word(const char* name);
    void word(const char* name, int value);
    void symbol(const char* text);
    void brace(char brace);
    void textChar(char character);
    void newLine();
    void breakLongLine();

    const QTextDocument& m_document;
    QString m_defaultFamily;
    int m_defaultHalfPoints = 24;
    QStringList m_fonts;
    QList<QColor> m_colors; // colour-table entries from 1
    int m_symbolFont = -1;  // -1 when no paragraph has a bullet
    Chars m_written;
    Paragraph m_paragraph;
    bool m_paragraphWritten = false;
    QByteArray m_out;
    qsizetype m_lineStart = 0;
    bool m_delimiterPending = false;
};
