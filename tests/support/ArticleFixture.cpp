#include "ArticleFixture.h"

namespace ArticleFixture {

QString articleInsert(int id, const QString& title)
{
    const QString rtf = QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 %1 "
                                       "text\\par\n}");
    return QStringLiteral("INSERT INTO QV (Id, CUName, techname, Title, Problem, Solution, "
                          "reference, InitialEntry, EditedBy, DateEdited) VALUES (%1, "
                          "'Network', 'Smith', '%2', '%3', '%4', 'N/A', '01/02/2026', 'Smith', "
                          "'01/03/2026');\n")
        .arg(id)
        .arg(title, rtf.arg(QStringLiteral("Problem %1").arg(id)),
             rtf.arg(QStringLiteral("Solution %1").arg(id)));
}

QString sql(int articles)
{
    QString sql = QStringLiteral(
        "INSERT INTO Customize (ID, Labels) VALUES (1, 'Article No:'), (2, 'Area:'), "
        "(3, 'Written By:'), (4, 'Heading:'), (5, 'Symptom:'), (6, 'Fix:');\n"
        "INSERT INTO Categories (category) VALUES ('Network'), ('Printing'), ('Email');\n"
        "INSERT INTO Users (Users) VALUES ('Smith'), ('sam'), ('Stone');\n"
        "INSERT INTO tblEnablePasswords (ID, EnablePasswords) VALUES (1, 0);\n");
    for (int id = 1; id <= articles; ++id)
        sql += articleInsert(id, QStringLiteral("Article %1").arg(id));
    return sql;
}

} // namespace ArticleFixture
