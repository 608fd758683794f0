#pragma once

#include <QString>
#include <QStringView>
#include <functional>

class QByteArray;
class QTextDocument;

// Reads RTF, as this program writes it and as classic Windows rich-edit controls and WordPad
// write it, into a QTextDocument. Text without an RTF header is read as plain text. The
// reader takes any input: bad RTF gives the text it could make out, never a crash or a hang.
class RtfReader
{
public:
    // True when the text begins with an RTF header ("{\rtf").
    static bool isRtf(QStringView text);

    // Replaces the document's content. An empty text or a lone space gives an empty document.
    // keepGoing, when given, is asked as the reading goes: false ends the document where it
    // stands (the start of a long document, or a reading no longer wanted).
    static void read(const QString& text, QTextDocument& document,
                     std::function<bool()> keepGoing = {});

    // The plain characters of the document that read() would build, exactly as
    // QTextDocument::toPlainText() gives them, without building the document.
    static QString plainText(const QString& text);

    // Keeps the picture's bytes (PNG or JPEG) as an image resource of the document, so that
    // the writer writes them back unchanged, and returns the resource's name. Names are
    // unique within the process, so pictures can move between documents.
    static QString addPicture(QTextDocument& document, const QByteArray& bytes);
};
