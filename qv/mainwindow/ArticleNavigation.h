#pragma once

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

} // namespace ArticleNavigation
