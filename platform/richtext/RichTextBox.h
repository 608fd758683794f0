#pragma once

#include <QColor>
#include <QTextEdit>
#include <memory>

class QMimeData;
class RtfLoader;

// The rich-text box of the article window: a QTextEdit with the operations of the classic
// rich-edit control. Positions and lengths count the characters of text(), where every
// paragraph break is one "\n".
//
// A long RTF document shows its start at once and is read whole on a thread of its own;
// until then the box can be read, scrolled and selected in but not edited, and every
// operation below that needs the whole document waits for it.
class RichTextBox : public QTextEdit
{
    Q_OBJECT

public:
    // Paragraph alignment as the rich-edit control numbers it.
    enum Alignment { AlignLeft = 0, AlignRight = 1, AlignCenter = 2 };

    // RTF texts longer than this are read on a thread of their own, and the box shows the
    // document's first kStartCharacters characters (kStartParagraphs paragraphs at the
    // most) until then.
    static constexpr qsizetype kBackgroundRtfLength = 256 * 1024;
    static constexpr int kStartCharacters = 20000;
    static constexpr int kStartParagraphs = 1000;

    explicit RichTextBox(QWidget* parent = nullptr);
    ~RichTextBox() override;

    // The whole document as RTF; setting it replaces the document (plain text and a lone
    // space load as plain text).
    QString textRtf() const;
    void setTextRtf(const QString& rtf);

    // The plain characters; setting a text that begins with an RTF header loads it formatted.
    QString text() const;
    void setText(const QString& text);
    // The number of characters of text(), without building it; while a long document is
    // read, the number of its characters read so far.
    qsizetype textLength() const;
    // Whether the start of a long document is shown while the rest is read.
    bool isLoading() const;
    // Waits until the whole document is in the box.
    void finishLoading() const;

    int selStart() const;
    void setSelStart(int start); // moves the caret there, nothing selected
    int selLength() const;
    void setSelLength(int length); // keeps the start
    QString selText() const;
    void setSelText(const QString& text); // replaces the selection

    // The format at the start of the selection (or at the caret). The setters apply to the
    // selection or, with nothing selected, to what is typed next.
    bool selBold() const;
    void setSelBold(bool on);
    bool selItalic() const;
    void setSelItalic(bool on);
    bool selUnderline() const;
    void setSelUnderline(bool on);
    bool selStrikeThru() const;
    void setSelStrikeThru(bool on);
    QColor selColor() const; // invalid for the automatic colour
    void setSelColor(const QColor& color);
    QString selFontName() const;
    void setSelFontName(const QString& name);
    qreal selFontSize() const;
    void setSelFontSize(qreal points);

    // Paragraph properties of the paragraphs the selection touches.
    int selAlignment() const;
    void setSelAlignment(int alignment);
    bool selBullet() const;
    void setSelBullet(bool on);

    // Embeds the clipboard's picture at the caret; false when the clipboard holds none.
    bool pastePicture();
    // Embeds a picture at the caret, replacing the selection.
    void insertPicture(const QImage& image);

Q_SIGNALS:
    // Every caret move, selection change and edit.
    void selChange();
    // A long document is now in the box whole.
    void loadFinished();

protected:
    // Tab types a tab; Ctrl+Tab and Ctrl+Shift+Tab move to the next and previous control.
    bool event(QEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;

private:
    void startLoading(const QString& rtf);
    void stopLoading();
    void adoptLoaded();
    void replaceLongDocument();
    void setDocumentReplacing(QTextDocument* replacement);
    QTextCharFormat formatAtSelection() const;
    void mergeFormat(const QTextCharFormat& format);

    std::unique_ptr<RtfLoader> m_loader;
    Qt::TextInteractionFlags m_interaction;
};
