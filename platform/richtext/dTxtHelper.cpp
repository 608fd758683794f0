#include "dTxtHelper.h"

#include "file/SafeFileWriter.h"
#include "text/Cp1252.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QScrollBar>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QTextLayout>

namespace {

// Replaces the whole text with plain text in the document's own format, not in the format
// that stood at the caret.
void replaceAllText(QTextEdit& editor, const QString& text)
{
    editor.setCurrentCharFormat(QTextCharFormat());
    editor.setPlainText(text);
}

constexpr int kMaxLineText = 255;

} // namespace

bool dTxtHelper::WordWrap(bool on)
{
    if (!editorBound())
        return false;
    m_editor->setLineWrapMode(on ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
    m_editor->setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    return true;
}

bool dTxtHelper::Convert(int mode)
{
    if (!editorBound())
        return false;
    QTextCursor cursor = m_editor->textCursor();
    const int start = cursor.selectionStart();
    const int length = cursor.selectionEnd() - start;
    bool wordStart = true;
    if (length == 0) {
        // The whole text loses its formatting; its pictures stay where they stand.
        const QList<QTextCharFormat> pictures = pictureFormats();
        replaceAllText(*m_editor, convertCase(m_editor->toPlainText(), mode, wordStart));
        restorePictures(pictures);
        return true;
    }
    // Each run of the selection keeps its format; pictures are passed over.
    struct Run
    {
        int position;
        int length;
        QString text;
        QTextCharFormat format;
    };
    QList<Run> runs;
    const int end = start + length;
    for (QTextBlock block = m_editor->document()->findBlock(start);
         block.isValid() && block.position() < end; block = block.next()) {
        wordStart = true;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int from = qMax(start, fragment.position());
            const int to = qMin(end, fragment.position() + fragment.length());
            if (from >= to)
                continue;
            if (fragment.charFormat().isImageFormat()) {
                wordStart = true;
                continue;
            }
            const QString text = fragment.text().mid(from - fragment.position(), to - from);
            runs.append({from, to - from, convertCase(text, mode, wordStart), fragment.charFormat()});
        }
    }
    cursor.beginEditBlock();
    for (auto run = runs.crbegin(); run != runs.crend(); ++run) {
        cursor.setPosition(run->position);
        cursor.setPosition(run->position + run->length, QTextCursor::KeepAnchor);
        cursor.insertText(run->text, run->format);
    }
    cursor.endEditBlock();
    SelectText(start, length);
    return true;
}

QList<QTextCharFormat> dTxtHelper::pictureFormats() const
{
    QList<QTextCharFormat> formats;
    for (QTextBlock block = m_editor->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().isImageFormat()) {
                for (int i = 0; i < fragment.length(); ++i)
                    formats.append(fragment.charFormat());
            }
        }
    }
    return formats;
}

void dTxtHelper::restorePictures(const QList<QTextCharFormat>& pictures)
{
    QTextDocument* document = m_editor->document();
    QTextCursor cursor(document);
    for (const QTextCharFormat& picture : pictures) {
        cursor = document->find(QString(QChar::ObjectReplacementCharacter), cursor);
        if (cursor.isNull())
            return;
        cursor.setCharFormat(picture);
    }
}

bool dTxtHelper::onEditor(void (QTextEdit::*action)())
{
    if (!editorBound())
        return false;
    (m_editor->*action)();
    return true;
}

bool dTxtHelper::Cut()
{
    return onEditor(&QTextEdit::cut);
}

bool dTxtHelper::Clear()
{
    if (!editorBound())
        return false;
    m_editor->textCursor().removeSelectedText();
    return true;
}

bool dTxtHelper::Copy()
{
    return onEditor(&QTextEdit::copy);
}

bool dTxtHelper::Undo()
{
    return onEditor(&QTextEdit::undo);
}

bool dTxtHelper::Paste()
{
    return onEditor(&QTextEdit::paste);
}

bool dTxtHelper::SelectAll()
{
    if (!editorBound())
        return false;
    return SelectText(0, int(m_editor->toPlainText().size()));
}

int dTxtHelper::SelPos()
{
    if (!editorBound())
        return 0;
    return m_editor->textCursor().selectionStart();
}

bool dTxtHelper::SelPos(int position)
{
    if (!editorBound())
        return false;
    QTextCursor cursor = m_editor->textCursor();
    cursor.setPosition(qBound(0, position, m_editor->document()->characterCount() - 1));
    m_editor->setTextCursor(cursor);
    return true;
}

bool dTxtHelper::SelectText(int start, int length)
{
    if (!editorBound())
        return false;
    const int last = m_editor->document()->characterCount() - 1;
    const int from = qBound(0, start, last);
    QTextCursor cursor = m_editor->textCursor();
    cursor.setPosition(from);
    cursor.setPosition(qBound(from, from + qMax(0, length), last), QTextCursor::KeepAnchor);
    m_editor->setTextCursor(cursor);
    m_editor->setFocus();
    return true;
}

void dTxtHelper::SetEditor(QTextEdit* editor)
{
    m_editor = editor;
}

bool dTxtHelper::CanPaste() const
{
    return !QGuiApplication::clipboard()->text().isEmpty();
}

int dTxtHelper::LineCount()
{
    if (!editorBound())
        return 0;
    layoutAll();
    int lines = 0;
    for (QTextBlock block = m_editor->document()->begin(); block.isValid(); block = block.next())
        lines += qMax(1, block.layout()->lineCount());
    return lines;
}

int dTxtHelper::VisableLine()
{
    if (!editorBound())
        return 0;
    layoutAll();
    const qreal top = m_editor->verticalScrollBar()->value();
    const QAbstractTextDocumentLayout* layout = m_editor->document()->documentLayout();
    int index = 0;
    for (QTextBlock block = m_editor->document()->begin(); block.isValid(); block = block.next()) {
        const qreal blockTop = layout->blockBoundingRect(block).top();
        const QTextLayout* lines = block.layout();
        for (int i = 0; i < lines->lineCount(); ++i, ++index) {
            const QTextLine line = lines->lineAt(i);
            if (blockTop + line.y() + line.height() > top)
                return index;
        }
    }
    return qMax(0, index - 1);
}

int dTxtHelper::LineIndex()
{
    if (!editorBound())
        return 0;
    const QTextCursor cursor = m_editor->textCursor();
    return lineOfPosition(cursor.selectionEnd()) + 1;
}

int dTxtHelper::LineLength()
{
    if (!editorBound())
        return 0;
    return int(lineText(lineOfPosition(m_editor->textCursor().selectionStart())).size()) + 1;
}

bool dTxtHelper::LoadFromFile(const QString& path)
{
    if (!editorBound())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fileFailed(path, file.errorString());
    QByteArray bytes = file.readAll();
    QString text;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        bytes.remove(0, 2);
        bytes.replace('\0', QByteArray());
        text = Cp1252::decode(bytes);
    } else {
        if (bytes.startsWith("\xEF\xBB\xBF"))
            bytes.remove(0, 3);
        QStringDecoder utf8(QStringConverter::Utf8);
        text = utf8.decode(bytes);
        if (utf8.hasError())
            text = Cp1252::decode(bytes);
    }
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    replaceAllText(*m_editor, text);
    return true;
}

bool dTxtHelper::SaveToFile(const QString& path)
{
    if (!editorBound())
        return false;
    return writeFile(path, m_editor->toPlainText());
}

bool dTxtHelper::SaveSelection(const QString& path)
{
    if (!editorBound())
        return false;
    return writeFile(path, m_editor->textCursor().selection().toPlainText());
}

bool dTxtHelper::CanUndo()
{
    return editorBound() && m_editor->document()->isUndoAvailable();
}

bool dTxtHelper::CanReDo()
{
    return editorBound() && m_editor->document()->isRedoAvailable();
}

void dTxtHelper::GotoLine(int line)
{
    m_gotoLine = line;
    if (!m_editor)
        return;
    QTextCursor cursor = m_editor->textCursor();
    QTextBlock block;
    QTextLine textLine;
    if (line >= 1 && findLine(line - 1, &block, &textLine))
        cursor.setPosition(block.position() + (textLine.isValid() ? textLine.textStart() : 0));
    else
        cursor.setPosition(cursor.selectionStart());
    m_editor->setTextCursor(cursor);
    m_editor->setFocus();
}

QString dTxtHelper::GetLineText(int line)
{
    if (!editorBound() || line < 1)
        return {};
    return lineText(line - 1).left(kMaxLineText);
}

void dTxtHelper::ForeColor(const QColor& color)
{
    if (!m_editor)
        return;
    QTextCursor cursor(m_editor->document());
    cursor.select(QTextCursor::Document);
    QTextCharFormat format;
    format.setForeground(color);
    cursor.mergeCharFormat(format);
    cursor.setPosition(0);
    m_editor->setTextCursor(cursor);
}

bool dTxtHelper::TabStops(int n)
{
    if (!editorBound())
        return false;
    // A dialog unit is a quarter of the average character width.
    m_editor->setTabStopDistance(qMax(0, n) * m_editor->fontMetrics().averageCharWidth() / 4.0);
    return true;
}

QString dTxtHelper::convertCase(const QString& text, int mode, bool& wordStart)
{
    QString result = text;
    switch (mode) {
    case UpperCase:
        return text.toUpper();
    case LowerCase:
        return text.toLower();
    case ProperCase:
        result = text.toLower();
        for (QChar& c : result) {
            if (wordStart && c.isLetter())
                c = c.toUpper();
            // An apostrophe or a hyphen joins the letters around it into one word.
            wordStart = !c.isLetterOrNumber() && !QStringView(u"'\u2019-\u2010\u2011").contains(c);
        }
        return result;
    case ToggleCase:
        for (QChar& c : result)
            c = c == c.toUpper() ? c.toLower() : c.toUpper();
        return result;
    default:
        return text;
    }
}

bool dTxtHelper::editorBound()
{
    m_errorText.clear();
    if (m_editor)
        return true;
    m_errorText = QStringLiteral("No editor is bound to the text helper.");
    return false;
}

bool dTxtHelper::fileFailed(const QString& path, const QString& reason)
{
    m_errorText = QStringLiteral("%1: %2").arg(path, reason);
    return false;
}

bool dTxtHelper::writeFile(const QString& path, const QString& text)
{
    SafeFileWriter file(path);
    if (!file.write(text.toUtf8()))
        return fileFailed(path, file.errorString());
    return true;
}

int dTxtHelper::lineOfPosition(int position)
{
    layoutAll();
    const QTextDocument* document = m_editor->document();
    const QTextBlock target = document->findBlock(qBound(0, position, document->characterCount() - 1));
    int index = 0;
    for (QTextBlock block = document->begin(); block.isValid() && block != target;
         block = block.next())
        index += qMax(1, block.layout()->lineCount());
    const QTextLine line = target.layout()->lineForTextPosition(position - target.position());
    return index + (line.isValid() ? line.lineNumber() : 0);
}

QString dTxtHelper::lineText(int line)
{
    QTextBlock block;
    QTextLine textLine;
    if (!findLine(line, &block, &textLine))
        return {};
    QString text = textLine.isValid()
                       ? block.text().mid(textLine.textStart(), textLine.textLength())
                       : block.text();
    if (text.endsWith(QChar::LineSeparator))
        text.chop(1);
    return text;
}

bool dTxtHelper::findLine(int line, QTextBlock* block, QTextLine* textLine)
{
    layoutAll();
    int index = 0;
    for (QTextBlock candidate = m_editor->document()->begin(); candidate.isValid();
         candidate = candidate.next()) {
        const int count = qMax(1, candidate.layout()->lineCount());
        if (line < index + count) {
            *block = candidate;
            *textLine = candidate.layout()->lineAt(line - index);
            return true;
        }
        index += count;
    }
    return false;
}

void dTxtHelper::layoutAll()
{
    // Asking for a block's place lays it out (a long document's layout lays out only the
    // blocks asked about).
    const QTextDocument* document = m_editor->document();
    const QAbstractTextDocumentLayout* layout = document->documentLayout();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        layout->blockBoundingRect(block);
}
