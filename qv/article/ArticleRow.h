#pragma once

#include "article/Article.h"

class Recordset;

// An article and the current row of an article set.
namespace ArticleRow {

// The current row as an article, every field as the row holds it at one moment. A field
// without a value reads as empty text, and so does a column the table lacks. The plain texts
// are not read: the article window makes them from the documents. Throws DbError without a
// current row, and DbError::RowDeleted when another program deleted the row.
Article read(const Recordset& row);

// Sets the fields of the current row to the article's values; they stay pending until
// the set's next write. A plain article number is stored as a number, so that the set
// sorts 9 before 10; any other text ("0000", "007") as it stands.
void write(const Article& article, Recordset& row);

} // namespace ArticleRow
