#include "RichTextBox.h"

#include "LongDocumentLayout.h"
#include "RtfLoader.h"
#include "RtfReader.h"
#include "RtfWriter.h"
#include "ui/WaitCursor.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMimeData>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <QTextList>
#include <QUrl>

namespace {

const QString kRtfMime = QStringLiteral("text/rtf");

// A document past this many characters is replaced by a new one rather than emptied: Qt
// takes a long while to take a large document apart piece by piece.
constexpr int kReplaceCharacters = 100000;

// Copies the picture resources that the document's images name from one document to another.
void copyPictures(const QTextDocument& from, QTextDocument& to)
{
    for (QTextBlock block = to.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QUrl name(format.toImageFormat().name());
            const QVariant picture = from.resource(QTextDocument::ImageResource, name);
            if (picture.isValid())
                to.addResource(QTextDocument::ImageResource, name, picture);
        }
    }
}

} // namespace

RichTextBox::RichTextBox(QWidget* parent) : QTextEdit(parent)
{
    setAcceptRichText(true);
    // Like the classic rich-edit control, no kerning or ligatures for text that needs no
    // shaping: laying out an article then skips the shaper, which is most of its cost.
    QFont font = document()->defaultFont();
    font.setStyleStrategy(QFont::PreferNoShaping);
    document()->setDefaultFont(font);
    connect(this, &QTextEdit::cursorPositionChanged, this, &RichTextBox::selChange);
    connect(this, &QTextEdit::selectionChanged, this, &RichTextBox::selChange);
    connect(this, &QTextEdit::textChanged, this, &RichTextBox::selChange);
}

RichTextBox::~RichTextBox() = default;

QString RichTextBox::textRtf() const
{
    finishLoading();
    return RtfWriter::write(*document());
}

void RichTextBox::setTextRtf(const QString& rtf)
{
    stopLoading();
    replaceLongDocument();
    if (RtfReader::isRtf(rtf) && rtf.size() > kBackgroundRtfLength) {
        QTextDocument* const start = document();
        RtfReader::read(rtf, *start,
                        [start] {
                            return start->characterCount() <= kStartCharacters &&
                                   start->blockCount() <= kStartParagraphs;
                        });
        moveCursor(QTextCursor::Start);
        startLoading(rtf);
        return;
    }
    RtfReader::read(rtf, *document());
    moveCursor(QTextCursor::Start);
}

QString RichTextBox::text() const
{
    finishLoading();
    return toPlainText();
}

void RichTextBox::setText(const QString& text)
{
    if (RtfReader::isRtf(text)) {
        setTextRtf(text);
    } else {
        stopLoading();
        replaceLongDocument();
        // QTextEdit would give the new text the format at the old caret.
        setCurrentCharFormat(QTextCharFormat());
        setPlainText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    }
}

qsizetype RichTextBox::textLength() const
{
    // toPlainText() has one character for each of the document's, less the last paragraph
    // end.
    return document()->characterCount() - 1;
}

bool RichTextBox::isLoading() const
{
    return m_loader != nullptr;
}

void RichTextBox::finishLoading() const
{
    if (!m_loader)
        return;
    WaitCursor::showUntilIdle();
    const_cast<RichTextBox*>(this)->adoptLoaded();
}

void RichTextBox::startLoading(const QString& rtf)
{
    m_interaction = textInteractionFlags();
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_loader = std::make_unique<RtfLoader>(rtf, document()->defaultFont());
    connect(m_loader.get(), &RtfLoader::finished, this, &RichTextBox::adoptLoaded);
}

void RichTextBox::stopLoading()
{
    if (!m_loader)
        return;
    m_loader.reset();
    setTextInteractionFlags(m_interaction);
}

void RichTextBox::adoptLoaded()
{
    QTextDocument* const loaded = m_loader->take();
    stopLoading();
    const int anchor = textCursor().anchor();
    const int position = textCursor().position();
    const int horizontal = horizontalScrollBar()->value();
    const int vertical = verticalScrollBar()->value();
    loaded->setParent(this);
    // Laid out once, for the box's width.
    loaded->setPageSize(document()->pageSize());
    loaded->setDocumentLayout(new LongDocumentLayout(loaded));
    loaded->setUndoRedoEnabled(document()->isUndoRedoEnabled());
    loaded->setModified(document()->isModified());
    setDocumentReplacing(loaded);
    QTextCursor cursor(loaded);
    cursor.setPosition(anchor);
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    {
        const QSignalBlocker quiet(this);
        setTextCursor(cursor);
    }
    horizontalScrollBar()->setValue(horizontal);
    verticalScrollBar()->setValue(vertical);
    Q_EMIT loadFinished();
}

void RichTextBox::replaceLongDocument()
{
    // A document laid out for long documents goes too: the next one gets Qt's own layout.
    if (document()->characterCount() <= kReplaceCharacters &&
        !qobject_cast<LongDocumentLayout*>(document()->documentLayout()))
        return;
    auto* fresh = new QTextDocument(this);
    fresh->setDefaultFont(document()->defaultFont());
    fresh->setUndoRedoEnabled(document()->isUndoRedoEnabled());
    setDocumentReplacing(fresh);
}

void RichTextBox::setDocumentReplacing(QTextDocument* replacement)
{
    // The box's own first document belongs to Qt's text control; the later ones are the
    // box's children and go with the document that replaces them.
    const QPointer<QTextDocument> old = document();
    {
        const QSignalBlocker quiet(this);
        setDocument(replacement);
    }
    if (old && old->parent() == this)
        delete old;
}

int RichTextBox::selStart() const
{
    return textCursor().selectionStart();
}

void RichTextBox::setSelStart(int start)
{
    if (start >= textLength())
        finishLoading();
    QTextCursor cursor = textCursor();
    cursor.setPosition(qBound(0, start, document()->characterCount() - 1));
    setTextCursor(cursor);
}

int RichTextBox::selLength() const
{
    const QTextCursor cursor = textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void RichTextBox::setSelLength(int length)
{
    if (selStart() + qsizetype(length) >= textLength())
        finishLoading();
    QTextCursor cursor = textCursor();
    const int start = cursor.selectionStart();
    const int end = qBound(start, start + qMax(0, length), document()->characterCount() - 1);
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

QString RichTextBox::selText() const
{
    QString text = textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.replace(QChar::Nbsp, QLatin1Char(' '));
    return text;
}

void RichTextBox::setSelText(const QString& text)
{
    finishLoading();
    QTextCursor cursor = textCursor();
    cursor.insertText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    setTextCursor(cursor);
}

QTextCharFormat RichTextBox::formatAtSelection() const
{
    const QTextCursor selection = textCursor();
    if (!selection.hasSelection())
        return selection.charFormat();
    QTextCursor first(document());
    first.setPosition(selection.selectionStart() + 1);
    return first.charFormat();
}

void RichTextBox::mergeFormat(const QTextCharFormat& format)
{
    finishLoading();
    mergeCurrentCharFormat(format);
}

bool RichTextBox::selBold() const
{
    return formatAtSelection().fontWeight() >= QFont::DemiBold;
}

void RichTextBox::setSelBold(bool on)
{
    QTextCharFormat format;
    format.setFontWeight(on ? QFont::Bold : QFont::Normal);
    mergeFormat(format);
}

bool RichTextBox::selItalic() const
{
    return formatAtSelection().fontItalic();
}

void RichTextBox::setSelItalic(bool on)
{
    QTextCharFormat format;
    format.setFontItalic(on);
    mergeFormat(format);
}

bool RichTextBox::selUnderline() const
{
    return formatAtSelection().fontUnderline();
}

void RichTextBox::setSelUnderline(bool on)
{
    QTextCharFormat format;
    format.setFontUnderline(on);
    mergeFormat(format);
}

bool RichTextBox::selStrikeThru() const
{
    return formatAtSelection().fontStrikeOut();
}

void RichTextBox::setSelStrikeThru(bool on)
{
    QTextCharFormat format;
    format.setFontStrikeOut(on);
    mergeFormat(format);
}

QColor RichTextBox::selColor() const
{
    const QTextCharFormat format = formatAtSelection();
    if (!format.hasProperty(QTextFormat::ForegroundBrush))
        return {};
    return format.foreground().color();
}

void RichTextBox::setSelColor(const QColor& color)
{
    QTextCharFormat format;
    format.setForeground(color);
    mergeFormat(format);
}

QString RichTextBox::selFontName() const
{
    const QStringList families = formatAtSelection().fontFamilies().toStringList();
    return families.isEmpty() ? document()->defaultFont().family() : families.first();
}

void RichTextBox::setSelFontName(const QString& name)
{
    QTextCharFormat format;
    format.setFontFamilies({name});
    mergeFormat(format);
}

qreal RichTextBox::selFontSize() const
{
    const qreal size = formatAtSelection().fontPointSize();
    return size > 0 ? size : document()->defaultFont().pointSizeF();
}

void RichTextBox::setSelFontSize(qreal points)
{
    if (points <= 0)
        return;
    QTextCharFormat format;
    format.setFontPointSize(points);
    mergeFormat(format);
}

int RichTextBox::selAlignment() const
{
    const Qt::Alignment alignment = textCursor().blockFormat().alignment();
    if (alignment & Qt::AlignHCenter)
        return AlignCenter;
    if (alignment & (Qt::AlignRight | Qt::AlignTrailing))
        return AlignRight;
    return AlignLeft;
}

void RichTextBox::setSelAlignment(int alignment)
{
    finishLoading();
    switch (alignment) {
    case AlignRight:
        setAlignment(Qt::AlignRight);
        break;
    case AlignCenter:
        setAlignment(Qt::AlignHCenter);
        break;
    default:
        setAlignment(Qt::AlignLeft);
    }
}

bool RichTextBox::selBullet() const
{
    return textCursor().currentList() != nullptr;
}

void RichTextBox::setSelBullet(bool on)
{
    finishLoading();
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    if (on) {
        QTextListFormat list;
        list.setStyle(QTextListFormat::ListDisc);
        cursor.createList(list);
    } else {
        QTextCursor block(document());
        block.setPosition(cursor.selectionStart());
        const int end = cursor.selectionEnd();
        for (QTextBlock item = block.block(); item.isValid() && item.position() <= end;
             item = item.next()) {
            if (QTextList* list = item.textList())
                list->remove(item);
            QTextCursor reset(item);
            QTextBlockFormat format = item.blockFormat();
            format.setIndent(0);
            reset.setBlockFormat(format);
        }
    }
    cursor.endEditBlock();
}

bool RichTextBox::pastePicture()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasImage())
        return false;
    insertPicture(qvariant_cast<QImage>(data->imageData()));
    return true;
}

void RichTextBox::insertPicture(const QImage& image)
{
    finishLoading();
    if (image.isNull())
        return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    QTextImageFormat format;
    format.setName(RtfReader::addPicture(*document(), png));
    format.setWidth(image.width());
    format.setHeight(image.height());
    textCursor().insertImage(format);
}

bool RichTextBox::event(QEvent* event)
{
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    const auto* press = static_cast<QKeyEvent*>(event);
    if (!key || !press->modifiers().testFlag(Qt::ControlModifier) ||
        (press->key() != Qt::Key_Tab && press->key() != Qt::Key_Backtab))
        return QTextEdit::event(event);
    // The key is seen here first as a possible shortcut; the key press itself may never
    // come, as a frame of several windows takes Ctrl+Tab for moving between them. The
    // box's own override refuses to move the focus while it is editable.
    if (event->type() == QEvent::ShortcutOverride)
        QWidget::focusNextPrevChild(press->key() == Qt::Key_Tab &&
                                    !press->modifiers().testFlag(Qt::ShiftModifier));
    event->accept();
    return true;
}

bool RichTextBox::canInsertFromMimeData(const QMimeData* source) const
{
    return source->hasImage() || source->hasFormat(kRtfMime) || source->hasText();
}

void RichTextBox::insertFromMimeData(const QMimeData* source)
{
    finishLoading();
    if (source->hasFormat(kRtfMime)) {
        QTextDocument pasted;
        RtfReader::read(QString::fromLatin1(source->data(kRtfMime)), pasted);
        textCursor().insertFragment(QTextDocumentFragment(&pasted));
        copyPictures(pasted, *document());
    } else if (source->hasImage()) {
        insertPicture(qvariant_cast<QImage>(source->imageData()));
    } else if (source->hasText()) {
        textCursor().insertText(source->text());
    }
}

QMimeData* RichTextBox::createMimeDataFromSelection() const
{
    // Qt's own selection data lists a fixed set of formats, so the RTF goes into a new one.
    auto* data = new QMimeData;
    const QTextDocumentFragment fragment = textCursor().selection();
    data->setText(selText());
    data->setHtml(fragment.toHtml());
    QTextDocument selection;
    selection.setDefaultFont(document()->defaultFont());
    QTextCursor(&selection).insertFragment(fragment);
    copyPictures(*document(), selection);
    data->setData(kRtfMime, RtfWriter::write(selection).toLatin1());
    return data;
}
