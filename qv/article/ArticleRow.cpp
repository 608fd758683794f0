#include "ArticleRow.h"

#include "db/Recordset.h"

namespace ArticleRow {

namespace {

QVariant storedNumber(const QString& text)
{
    bool ok = false;
    const qint64 number = text.toLongLong(&ok);
    if (ok && QString::number(number) == text)
        return number;
    return text;
}

// The article's fields with their columns, in the order a save writes them.
template <typename ArticleRef, typename Visit>
void eachField(ArticleRef& article, Visit visit)
{
    visit("Problem", article.problem);
    visit("Solution", article.solution);
    visit("techname", article.author);
    visit("CUName", article.category);
    visit("Title", article.title);
    visit("InitialEntry", article.initialEntry);
    visit("reference", article.reference);
    visit("EditedBy", article.editedBy);
    visit("DateEdited", article.dateEdited);
    visit("ProblemText", article.problemText);
    visit("SolutionText", article.solutionText);
}

} // namespace

Article read(const Recordset& row)
{
    const QStringList columns = row.fieldNames();
    Article article;
    // The documents come first: reading them reads the whole row at one moment.
    eachField(article, [&](const char* field, QString& value) {
        const QString name = QLatin1String(field);
        if (&value != &article.problemText && &value != &article.solutionText &&
            columns.contains(name, Qt::CaseInsensitive))
            value = row.value(name).toString();
    });
    article.id = row.value(QStringLiteral("Id")).toString();
    return article;
}

void write(const Article& article, Recordset& row)
{
    row.setValue(QStringLiteral("Id"), storedNumber(article.id));
    eachField(article, [&](const char* field, const QString& value) {
        row.setValue(QLatin1String(field), value);
    });
}

} // namespace ArticleRow
