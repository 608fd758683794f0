#include "ArticleNavigation.h"

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

} // namespace ArticleNavigation
