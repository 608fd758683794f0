#pragma once

#include "article/Article.h"

#include <QByteArray>
#include <QString>

// The HTML text of the exported articles: the page of one article and the fragment of one
// article in the file of all articles, line by line, each line ended by CR LF.
//
// Every value is escaped, so that whatever an article holds shows as typed and cannot
// break the markup; characters beyond ASCII and line breaks are written as character
// references, which keeps the file plain ASCII (readable whatever code page a browser
// assumes) and each value on its own line of the file. Problem and solution are exported
// as the text the article window shows, not as their stored rich-text markup.
class ArticleHtml
{
public:
    // The two pages the credit line links from.
    enum class Source { Current, All };

    // The page of one article. The number, category and title are taken as they stand in
    // the article window (the caller puts them into the article); the rest as stored.
    static QByteArray page(const Article& article);
    // The fragment of one article in the file of all articles.
    static QByteArray fragment(const Article& article);
    // The closing credit: the last line of the file of all articles, and the end of the
    // table line of the single page.
    static QByteArray credit(Source source);

    // The rows of a text area showing this text: its length / 30, a half to the even
    // neighbour.
    static int textAreaRows(const QString& text);
    // The text with markup characters, line breaks, other control characters and every
    // character beyond ASCII written as references.
    static QByteArray escape(QStringView text);
    // The plain text the article window shows for a stored document: the plain text stored
    // beside it when there is any, otherwise the document's own; pictures left out.
    static QString shownText(const QString& storedDocument, const QString& storedText);
};
