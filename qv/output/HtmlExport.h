#pragma once

#include "article/Article.h"

#include <QString>
#include <functional>
#include <optional>

class Recordset;
class SafeFileWriter;

// Writes the exported articles into the HTML folder of the program folder (made when it is
// missing): one article to article.html, every article of a set to allarticles.html. Each
// file is written whole or not at all.
class HtmlExport
{
public:
    // Why an export failed, as the failure message shows it.
    struct Failure
    {
        qint64 number = 0;
        QString description;
    };
    enum class Outcome { Written, Cancelled, Failed };

    // Told the number of articles written so far and the number in all, now and then
    // during the export of all articles; false stops the export.
    using Progress = std::function<bool(int written, int total)>;

    // "<program folder>/HTML"
    static QString folder();
    static QString currentFile();
    static QString allFile();

    // Writes article.html.
    Outcome writeCurrent(const Article& article);
    // Writes allarticles.html with the set's rows from the first to the last, as the set
    // sees them (only the matches while a filter is in force); rows added and never saved
    // hold no article and are left out. The set's current row is put back afterwards.
    // A cancelled or failed export leaves the earlier file as it was.
    Outcome writeAll(Recordset& articles, const Progress& progress);

    // What went wrong in the last export that failed.
    const Failure& failure() const { return m_failure; }

private:
    // Makes the folder where it is missing; false, with the failure set, when it cannot.
    bool makeFolder();
    bool walk(Recordset& articles, const Progress& progress, SafeFileWriter& file);
    Outcome failFile(int error);

    Failure m_failure;
};
