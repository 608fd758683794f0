#include "VersionComparison.h"

#include "article/Article.h"
#include "history/WordDiff.h"

#include <QStringList>

namespace VersionComparison {

QString text(const Article& version, const Article& current)
{
    const struct
    {
        const char* caption;
        const QString& before;
        const QString& after;
    } fields[] = {{"Title", version.title, current.title},
                  {"Problem", version.problemText, current.problemText},
                  {"Solution", version.solutionText, current.solutionText}};
    QStringList parts;
    for (const auto& field : fields) {
        const QString markup = WordDiff::markup(field.before, field.after).trimmed();
        const bool same =
            !markup.contains(QLatin1String("[-")) && !markup.contains(QLatin1String("{+"));
        parts.append(QLatin1String(field.caption) +
                     (same ? QStringLiteral(" (no change)") : QString()) + QStringLiteral(":\n") +
                     markup);
    }
    return parts.join(QStringLiteral("\n\n"));
}

} // namespace VersionComparison
