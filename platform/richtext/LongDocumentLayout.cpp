#include "LongDocumentLayout.h"

#include "DocumentPictures.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextList>
#include <cmath>

namespace {

// Lines are this wide when the document has no page width (no wrapping).
constexpr qreal kUnboundedWidth = 1e6;
// An edit that changes at most this many paragraphs lays them out at once; a larger one
// estimates them and lays out what is shown.
constexpr int kLayOutAtOnce = 256;

} // namespace

LongDocumentLayout::LongDocumentLayout(QTextDocument* document)
    : QAbstractTextDocumentLayout(document)
{
    registerHandler(QTextFormat::ImageObject, new DocumentPictures(this));
}

qreal LongDocumentLayout::lineWidth() const
{
    return m_width > 0 ? m_width : kUnboundedWidth;
}

qreal LongDocumentLayout::estimatedHeight(const QTextBlock& block) const
{
    const qreal textWidth = block.length() * m_averageCharWidth;
    const qreal lines = std::max<qreal>(1, std::ceil(textWidth / lineWidth()));
    return lines * m_lineSpacing;
}

void LongDocumentLayout::estimateAll()
{
    const QFontMetricsF metrics(document()->defaultFont());
    m_lineSpacing = metrics.lineSpacing();
    m_averageCharWidth = metrics.averageCharWidth();
    m_heights.assign(std::size_t(document()->blockCount()), 0);
    std::size_t n = 0;
    for (QTextBlock block = document()->begin(); block.isValid() && n < m_heights.size();
         block = block.next(), ++n) {
        block.clearLayout();
        m_heights[n] = estimatedHeight(block);
    }
    rebuildSums();
}

void LongDocumentLayout::rebuildSums() const
{
    const std::size_t count = m_heights.size();
    m_sums.assign(count + 1, 0);
    for (std::size_t i = 1; i <= count; ++i) {
        m_sums[i] += m_heights[i - 1];
        const std::size_t parent = i + (i & (~i + 1));
        if (parent <= count)
            m_sums[parent] += m_sums[i];
    }
}

void LongDocumentLayout::setHeight(int blockNumber, qreal height) const
{
    const qreal change = height - m_heights[std::size_t(blockNumber)];
    if (change == 0)
        return;
    m_heights[std::size_t(blockNumber)] = height;
    for (std::size_t i = std::size_t(blockNumber) + 1; i < m_sums.size(); i += i & (~i + 1))
        m_sums[i] += change;
}

qreal LongDocumentLayout::top(int blockNumber) const
{
    qreal sum = document()->documentMargin();
    for (std::size_t i = std::size_t(blockNumber); i > 0; i -= i & (~i + 1))
        sum += m_sums[i];
    return sum;
}

int LongDocumentLayout::blockNumberAt(qreal y) const
{
    const std::size_t count = m_heights.size();
    qreal rest = y - document()->documentMargin();
    std::size_t position = 0;
    std::size_t step = 1;
    while (step * 2 <= count)
        step *= 2;
    for (; step > 0; step /= 2) {
        if (position + step <= count && m_sums[position + step] <= rest) {
            position += step;
            rest -= m_sums[position];
        }
    }
    return int(std::min(position, count - 1));
}

void LongDocumentLayout::layOut(const QTextBlock& block) const
{
    QTextDocument* const doc = document();
    const QTextBlockFormat format = block.blockFormat();
    qreal indent = format.indent() * doc->indentWidth();
    if (const QTextList* list = block.textList())
        indent += list->format().indent() * doc->indentWidth();
    const qreal margin = doc->documentMargin();
    const qreal left = margin + format.leftMargin() + indent;
    const qreal available = lineWidth() - left - margin - format.rightMargin();

    QTextOption option = doc->defaultTextOption();
    option.setAlignment(format.alignment());
    QTextLayout* const layout = block.layout();
    layout->setTextOption(option);
    layout->beginLayout();
    qreal y = format.topMargin();
    qreal bottom = y;
    for (bool first = true;; first = false) {
        QTextLine line = layout->createLine();
        if (!line.isValid())
            break;
        const qreal firstIndent = first ? format.textIndent() : 0;
        line.setLineWidth(std::max<qreal>(1, available - firstIndent));
        line.setPosition(QPointF(left + firstIndent, y));
        // As Qt's layout steps from line to line: the font's leading counted even where it
        // is negative, the sum rounded up to whole pixels; the paragraph ends below its
        // last line's full height.
        line.setLeadingIncluded(true);
        bottom = y + line.height();
        y += std::ceil(line.ascent() + line.descent() + line.leading());
    }
    layout->endLayout();
    layout->setPosition(QPointF(0, 0));
    setHeight(block.blockNumber(), bottom + format.bottomMargin());
}

QRectF LongDocumentLayout::placedBlock(const QTextBlock& block) const
{
    if (!block.isValid() || m_heights.empty())
        return {};
    const int number = block.blockNumber();
    const qreal before = m_heights[std::size_t(number)];
    if (block.layout()->lineCount() == 0)
        layOut(block);
    if (m_heights[std::size_t(number)] != before)
        announceSize();
    return {0, top(number), lineWidth(), m_heights[std::size_t(number)]};
}

QList<qreal> LongDocumentLayout::layoutSettings() const
{
    const QTextDocument* doc = document();
    const QFontMetricsF metrics(doc->defaultFont());
    const QTextOption option = doc->defaultTextOption();
    return {doc->pageSize().width(), metrics.lineSpacing(), metrics.averageCharWidth(),
            doc->documentMargin(), doc->indentWidth(), qreal(option.wrapMode()),
            qreal(option.alignment()), qreal(option.flags()), option.tabStopDistance()};
}

void LongDocumentLayout::documentChanged(int from, int charsRemoved, int charsAdded)
{
    QTextDocument* const doc = document();
    const qreal width = doc->pageSize().width();
    const int count = doc->blockCount();
    const int first = doc->findBlock(from).isValid() ? doc->findBlock(from).blockNumber()
                                                     : count - 1;
    const QTextBlock end = doc->findBlock(from + charsAdded);
    const int last = end.isValid() ? end.blockNumber() : count - 1;
    const int oldLast = last - (count - int(m_heights.size()));
    const QList<qreal> settings = layoutSettings();
    if (from == 0 && charsRemoved == 0 && charsAdded == doc->characterCount() &&
        count == int(m_heights.size()) && settings == m_settings) {
        // The same page size, font and options set again: nothing moves.
        Q_EMIT documentSizeChanged(documentSize());
        return;
    }
    if (settings != m_settings) {
        m_settings = settings;
        m_width = width;
        estimateAll();
    } else if (m_heights.empty() || oldLast < first - 1 || oldLast >= int(m_heights.size()) ||
               last - first >= kLayOutAtOnce) {
        // A large change: estimate every paragraph, lay out what is shown.
        estimateAll();
    } else {
        if (oldLast != last) {
            // Paragraphs came or went: the heights from the change on move.
            m_heights.erase(m_heights.begin() + first, m_heights.begin() + oldLast + 1);
            m_heights.insert(m_heights.begin() + first, std::size_t(last - first + 1), 0);
            rebuildSums();
        }
        QTextBlock block = doc->findBlockByNumber(first);
        for (int n = first; n <= last && block.isValid(); ++n, block = block.next()) {
            block.clearLayout();
            layOut(block);
        }
    }
    m_lastReportedHeight = documentSize().height();
    Q_EMIT documentSizeChanged(documentSize());
    Q_EMIT update();
}

void LongDocumentLayout::announceSize() const
{
    // Asked from the text control's own geometry questions: the new size goes out once
    // they are answered.
    if (m_announcing)
        return;
    m_announcing = true;
    QMetaObject::invokeMethod(
        const_cast<LongDocumentLayout*>(this),
        [this] {
            m_announcing = false;
            const QSizeF size = documentSize();
            if (size.height() == m_lastReportedHeight)
                return;
            m_lastReportedHeight = size.height();
            Q_EMIT const_cast<LongDocumentLayout*>(this)->documentSizeChanged(size);
        },
        Qt::QueuedConnection);
}

void LongDocumentLayout::draw(QPainter* painter, const PaintContext& context)
{
    if (m_heights.empty())
        return;
    const QRectF clip = context.clip.isValid() ? context.clip : QRectF(QPointF(), documentSize());
    const int cursorWidth = property("cursorWidth").isValid() ? property("cursorWidth").toInt() : 1;
    painter->save();
    painter->setPen(context.palette.color(QPalette::Text));
    int number = blockNumberAt(clip.top());
    for (QTextBlock block = document()->findBlockByNumber(number); block.isValid();
         block = block.next(), ++number) {
        const QRectF rect = placedBlock(block);
        if (rect.top() > clip.bottom())
            break;
        const int start = block.position();
        const int length = block.length();
        QList<QTextLayout::FormatRange> selections;
        for (const Selection& selection : context.selections) {
            const int from = selection.cursor.selectionStart() - start;
            const int to = selection.cursor.selectionEnd() - start;
            if (from < length && to > 0 && to > from)
                selections.append({std::max(from, 0), std::min(to, length) - std::max(from, 0),
                                   selection.format});
        }
        QTextLayout* const layout = block.layout();
        layout->draw(painter, rect.topLeft(), selections, clip);
        drawListMarker(painter, block, rect.topLeft());
        if (context.cursorPosition >= start && context.cursorPosition < start + length)
            layout->drawCursor(painter, rect.topLeft(), context.cursorPosition - start, cursorWidth);
    }
    painter->restore();
}

void LongDocumentLayout::drawListMarker(QPainter* painter, const QTextBlock& block,
                                        const QPointF& offset) const
{
    const QTextList* list = block.textList();
    const QTextLayout* layout = block.layout();
    if (!list || layout->lineCount() == 0)
        return;
    const QTextLine line = layout->lineAt(0);
    const QFontMetricsF metrics(block.charFormat().font());
    const qreal right = offset.x() + line.x() - metrics.averageCharWidth();
    const qreal baseline = offset.y() + line.y() + line.ascent();
    const QTextListFormat::Style style = list->format().style();
    if (style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle ||
        style == QTextListFormat::ListSquare) {
        const qreal size = metrics.ascent() / 3;
        const QRectF mark(right - size, baseline - metrics.ascent() / 2 - size / 2, size, size);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setBrush(painter->pen().color());
        if (style == QTextListFormat::ListSquare)
            painter->drawRect(mark);
        else
            painter->drawEllipse(mark);
        painter->restore();
        return;
    }
    const QString text = list->itemText(block);
    painter->drawText(QPointF(right - metrics.horizontalAdvance(text), baseline), text);
}

int LongDocumentLayout::hitTest(const QPointF& point, Qt::HitTestAccuracy) const
{
    if (m_heights.empty())
        return -1;
    const QTextBlock block = document()->findBlockByNumber(blockNumberAt(point.y()));
    const QRectF rect = placedBlock(block);
    const QPointF local = point - rect.topLeft();
    const QTextLayout* layout = block.layout();
    for (int i = 0; i < layout->lineCount(); ++i) {
        const QTextLine line = layout->lineAt(i);
        if (local.y() < line.y() + line.height() || i == layout->lineCount() - 1)
            return block.position() + line.xToCursor(local.x());
    }
    return block.position();
}

int LongDocumentLayout::pageCount() const
{
    return 1;
}

QSizeF LongDocumentLayout::documentSize() const
{
    const qreal margin = document()->documentMargin();
    return {m_width > 0 ? m_width : 0, top(int(m_heights.size())) + margin};
}

QRectF LongDocumentLayout::frameBoundingRect(QTextFrame* frame) const
{
    if (frame != document()->rootFrame())
        return {};
    return {QPointF(), documentSize()};
}

QRectF LongDocumentLayout::blockBoundingRect(const QTextBlock& block) const
{
    return placedBlock(block);
}
