#include "HtmlExport.h"

#include "article/ArticleRow.h"
#include "db/DbError.h"
#include "db/Recordset.h"
#include "file/SafeFileWriter.h"
#include "output/ArticleHtml.h"
#include "shell/ProgramFolder.h"

#include <QFile>

#include <cerrno>
#include <sys/stat.h>

namespace {

// The pages are ASCII (ArticleHtml writes everything else as references); the file takes
// this much at a time.
constexpr qsizetype kChunk = 1 << 20;
// Progress is reported every so many articles.
constexpr int kProgressStep = 64;

HtmlExport::Failure fileFailure(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return {76, QStringLiteral("Path not found")};
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return {75, QStringLiteral("Path/File access error")};
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return {61, QStringLiteral("Disk full")};
    default:
        return {57, QStringLiteral("Device I/O error")};
    }
}

} // namespace

QString HtmlExport::folder()
{
    return programFolder() + QStringLiteral("/HTML");
}

QString HtmlExport::currentFile()
{
    return folder() + QStringLiteral("/article.html");
}

QString HtmlExport::allFile()
{
    return folder() + QStringLiteral("/allarticles.html");
}

HtmlExport::Outcome HtmlExport::failFile(int error)
{
    m_failure = fileFailure(error);
    return Outcome::Failed;
}

bool HtmlExport::makeFolder()
{
    if (::mkdir(QFile::encodeName(folder()).constData(), 0777) == 0 || errno == EEXIST)
        return true;
    failFile(errno);
    return false;
}

HtmlExport::Outcome HtmlExport::writeCurrent(const Article& article)
{
    if (!makeFolder())
        return Outcome::Failed;
    SafeFileWriter file(currentFile());
    if (!file.write(ArticleHtml::page(article)))
        return failFile(file.errorNumber());
    return Outcome::Written;
}

HtmlExport::Outcome HtmlExport::writeAll(Recordset& articles, const Progress& progress)
{
    if (!makeFolder())
        return Outcome::Failed;
    SafeFileWriter file(allFile());
    if (!file.begin())
        return failFile(file.errorNumber());
    const int shown = articles.absolutePosition();
    Outcome outcome = Outcome::Failed;
    try {
        if (!walk(articles, progress, file))
            outcome = file.errorNumber() ? failFile(file.errorNumber()) : Outcome::Cancelled;
        else if (!file.append(ArticleHtml::credit(ArticleHtml::Source::All) + "\r\n") ||
                 !file.commit())
            outcome = failFile(file.errorNumber());
        else
            outcome = Outcome::Written;
    } catch (const DbError& error) {
        m_failure = {error.number(), error.description()};
    }
    file.abandon();
    if (shown > 0)
        articles.setAbsolutePosition(shown);
    return outcome;
}

bool HtmlExport::walk(Recordset& articles, const Progress& progress, SafeFileWriter& file)
{
    const int total = articles.recordCount();
    QByteArray chunk;
    chunk.reserve(kChunk + kChunk / 4);
    int written = 0;
    if (!progress(written, total))
        return false;
    if (total > 0)
        articles.moveFirst();
    for (; total > 0 && !articles.isEof(); articles.moveNext()) {
        if (articles.value(QStringLiteral("RecordID")).isNull())
            continue;
        chunk += ArticleHtml::fragment(ArticleRow::read(articles));
        ++written;
        if (chunk.size() >= kChunk) {
            if (!file.append(chunk))
                return false;
            chunk.clear();
        }
        if (written % kProgressStep == 0 && !progress(written, total))
            return false;
    }
    return file.append(chunk);
}
