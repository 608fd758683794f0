#pragma once

#include "article/Article.h"

#include <optional>

class Recordset;

// Moving through the article set with the clamps at both ends. An empty set is left
// alone.
namespace ArticleNavigation {

void first(Recordset& articles);
void last(Recordset& articles);
// Next on the last row stays on the last row.
void next(Recordset& articles);
// Previous on the first row stays on the first row.
void previous(Recordset& articles);

// The current row as an article, read after a move in a direction (1 onwards, -1 back). A
// row that another program deleted is passed over for the nearest one onwards, else back
// the other way, and *skipped is set. Nothing when no row is current or none can be read.
std::optional<Article> readShown(Recordset& articles, int direction, bool* skipped);

} // namespace ArticleNavigation
