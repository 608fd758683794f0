#pragma once

#include "article/Article.h"

#include <QStringList>

class Connection;
class QPagedPaintDevice;
class QTextDocument;

// The printed page of one article: the title, then each field under its heading, headings
// and title in bold, the rest in the printer's default type; problem and solution as the
// formatted documents the article window shows.
class ArticlePrintout
{
public:
    // The headings in the order of table Customize (number, category, author, title,
    // problem, solution, ...). A heading the table lacks is printed empty.
    static QStringList headings(Connection& db);

    // Fills the document (emptied first) with the page of the article.
    static void build(const Article& article, const QStringList& headings,
                      QTextDocument& document);

    // Lays the document out on the device's pages and paints it, page by page. False when
    // the device cannot be painted on or reports a failure.
    static bool print(QTextDocument& document, QPagedPaintDevice& device);

    // The line that ends the printout.
    static QString credit();
};
