#pragma once

#include <QString>

// SQL that fills a database made from db/schema.sql with a small knowledge base: the six
// field labels, categories, authors, passwords off and `articles` articles numbered 1 to
// n (titles "Article 1", ...), each with a one-paragraph RTF problem and solution.
namespace ArticleFixture {

QString sql(int articles);
// An article row with the given number and title, for tests that need other rows.
QString articleInsert(int id, const QString& title);

} // namespace ArticleFixture
