#pragma once

#include <QColor>
#include <QList>
#include <QTextCharFormat>
#include <QPointer>
#include <QString>

class QTextBlock;
class QTextEdit;
class QTextLine;

// The article window's editing helper: clipboard commands, selection and line queries, case
// conversion, word wrap, colour and tab settings, and loading and saving the box's text as a
// file, on one bound rich-text (or plain) box. Lines are the lines the user sees in the box,
// wrapped lines included while word wrap is on. An operation that needs the box and is called
// before SetEditor, and a file operation that fails, return false (or 0, or an empty text) and
// leave the reason in errorText().
class dTxtHelper
{
public:
    enum ConvertMode { UpperCase = 0, LowerCase = 1, ProperCase = 2, ToggleCase = 3 };

    bool WordWrap(bool on);
    bool Convert(int mode);
    bool Cut();
    bool Clear();
    bool Copy();
    bool Undo();
    bool Paste();
    bool SelectAll();
    int SelPos();
    bool SelPos(int position);
    bool SelectText(int start, int length);
    void SetEditor(QTextEdit* editor);
    bool CanPaste() const;
    int LineCount();
    int VisableLine();
    int LineIndex();
    int LineLength();
    bool LoadFromFile(const QString& path);
    bool SaveToFile(const QString& path);
    bool SaveSelection(const QString& path);
    bool CanUndo();
    bool CanReDo();
    int GotoLine() const { return m_gotoLine; }
    void GotoLine(int line);
    QString GetLineText(int line);
    void ForeColor(const QColor& color);
    bool TabStops(int n);

    // Why the last operation failed; empty after one that succeeded.
    QString errorText() const { return m_errorText; }

private:
    // The text in the case of the mode. `wordStart` tells whether a word starts at its
    // beginning, and is left telling whether one starts after it.
    static QString convertCase(const QString& text, int mode, bool& wordStart);
    // The formats of the document's pictures, in order.
    QList<QTextCharFormat> pictureFormats() const;
    // Gives the object characters of the text, in order, the pictures' formats back.
    void restorePictures(const QList<QTextCharFormat>& pictures);
    bool editorBound();
    // Runs one of the box's own edit commands; false before SetEditor.
    bool onEditor(void (QTextEdit::*action)());
    bool fileFailed(const QString& path, const QString& reason);
    bool writeFile(const QString& path, const QString& text);
    // The visual line holding a character position, counted over the whole document.
    int lineOfPosition(int position);
    // The characters of the n-th visual line (0-based), without its line break.
    QString lineText(int line);
    // The block and line of the document's n-th visual line (0-based); false past the end.
    bool findLine(int line, QTextBlock* block, QTextLine* textLine);
    void layoutAll();

    QPointer<QTextEdit> m_editor;
    int m_gotoLine = 0;
    QString m_errorText;
};
