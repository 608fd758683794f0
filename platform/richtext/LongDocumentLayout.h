#pragma once

#include <QAbstractTextDocumentLayout>
#include <vector>

class QTextBlock;

// Lays out a long rich-text document paragraph by paragraph, only where it is shown or
// asked about. Qt's own layout finds a paragraph's place by laying out every paragraph
// above it and moves every paragraph below an edit, so that an edit near the start of a
// document of a million paragraphs, or a narrower window, takes seconds. Here each
// paragraph's height (estimated from its length until it is laid out) is kept in a tree of
// running sums: finding the paragraph at a height, the height of a paragraph and changing
// one paragraph's height each cost a few steps of a binary search. A changed width makes
// every estimate anew, a pass over the paragraphs without laying them out.
//
// It handles what this program's documents hold: paragraphs with alignment, margins, a
// first-line indent and bullet or numbered lists, character formats and pictures. Tables and
// frames inside the document are laid out as plain paragraphs.
class LongDocumentLayout : public QAbstractTextDocumentLayout
{
    Q_OBJECT

public:
    explicit LongDocumentLayout(QTextDocument* document);

    void draw(QPainter* painter, const PaintContext& context) override;
    int hitTest(const QPointF& point, Qt::HitTestAccuracy accuracy) const override;
    int pageCount() const override;
    QSizeF documentSize() const override;
    QRectF frameBoundingRect(QTextFrame* frame) const override;
    QRectF blockBoundingRect(const QTextBlock& block) const override;

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override;

private:
    // The block's place and height, laying it out first when it is not.
    QRectF placedBlock(const QTextBlock& block) const;
    void layOut(const QTextBlock& block) const;
    qreal estimatedHeight(const QTextBlock& block) const;
    void estimateAll();
    void setHeight(int blockNumber, qreal height) const;
    qreal top(int blockNumber) const;
    int blockNumberAt(qreal y) const;
    void rebuildSums() const;
    qreal lineWidth() const;
    void drawListMarker(QPainter* painter, const QTextBlock& block, const QPointF& offset) const;
    void announceSize() const;
    // What the layout of every block depends on besides the block: page width, default
    // font, margins and text options.
    QList<qreal> layoutSettings() const;

    // Heights of the blocks by number, and a Fenwick tree of their running sums.
    mutable std::vector<qreal> m_heights;
    mutable std::vector<qreal> m_sums;
    mutable qreal m_lastReportedHeight = -1;
    mutable bool m_announcing = false;
    QList<qreal> m_settings;
    qreal m_width = 0;
    qreal m_lineSpacing = 0;
    qreal m_averageCharWidth = 0;
};
