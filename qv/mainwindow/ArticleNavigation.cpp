#include "ArticleNavigation.h"

#include "article/ArticleRow.h"
#include "db/DbError.h"
#include "db/Recordset.h"

namespace ArticleNavigation {

namespace {
bool isEmpty(const Recordset& articles)
{
    return articles.recordCount() == 0;
}
} // namespace

void first(Recordset& articles)
{
    if (!isEmpty(articles))
        articles.moveFirst();
}

void last(Recordset& articles)
{
    if (!isEmpty(articles))
        articles.moveLast();
}

void next(Recordset& articles)
{
    if (isEmpty(articles) || articles.isEof())
        return;
    articles.moveNext();
    if (articles.isEof())
        articles.moveLast();
}

void previous(Recordset& articles)
{
    if (isEmpty(articles) || articles.isBof())
        return;
    articles.movePrevious();
    if (articles.isBof())
        articles.moveFirst();
}

std::optional<Article> readShown(Recordset& articles, int direction, bool* skipped)
{
    if (articles.isBof() || articles.isEof())
        return std::nullopt;
    const int start = articles.absolutePosition();
    if (start < 1)
        return ArticleRow::read(articles);
    const int count = articles.recordCount();
    for (const int step : {direction, -direction}) {
        for (int position = step == direction ? start : start + step;
             position >= 1 && position <= count; position += step) {
            articles.setAbsolutePosition(position);
            try {
                return ArticleRow::read(articles);
            } catch (const DbError& error) {
                if (error.number() != DbError::RowDeleted)
                    throw;
                *skipped = true;
            }
        }
    }
    articles.setAbsolutePosition(start);
    return std::nullopt;
}

} // namespace ArticleNavigation
