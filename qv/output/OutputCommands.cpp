#include "OutputCommands.h"

#include "article/ArticleRow.h"
#include "db/DbError.h"
#include "db/Recordset.h"
#include "editor/frmDisplay.h"
#include "output/ArticlePrintout.h"
#include "output/HtmlExport.h"
#include "output/frmOpenHTML.h"
#include "output/frmReportCat.h"
#include "richtext/RichTextBox.h"
#include "startup/AppInfo.h"
#include "startup/Session.h"
#include "ui/Dialogs.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QTextDocument>

#include <cmath>

namespace {

std::unique_ptr<QPrinter> defaultPrinter()
{
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (printer.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(printer, QPrinter::HighResolution);
}

bool askYesNo(const QString& text, QWidget* parent)
{
    return dialogs().message({text, AppInfo::kTitle, Dialogs::Buttons::YesNo, Dialogs::Icon::None,
                              std::nullopt},
                             parent) == Dialogs::Answer::Yes;
}

void reportExportFailure(const HtmlExport::Failure& failure, QWidget* parent)
{
    dialogs().inform(QStringLiteral("An error occured creating the HTML file. Please save the ") +
                         QStringLiteral("current article and try again or restart Quorvel.") +
                         QStringLiteral("\n\nError Code: ") + QString::number(failure.number) +
                         QStringLiteral("\nError Description: ") + failure.description,
                     AppInfo::kTitle, parent);
}

} // namespace

OutputCommands::OutputCommands(Session& session, frmDisplay& display, QMainWindow& frame)
    : QObject(&frame), m_session(session), m_display(display), m_frame(frame),
      m_printerSource(&defaultPrinter)
{
    setObjectName(QStringLiteral("outputCommands"));
    connectItem("mnuPrint", &OutputCommands::printPrompt);
    connectItem("mnuLength", &OutputCommands::showLength);
    connectItem("mnuHTMLCurrent", &OutputCommands::exportCurrent);
    connectItem("mnuHTMLAll", &OutputCommands::exportAll);
    connectItem("mnuReportCat", &OutputCommands::showCategoryReport);
}

OutputCommands::~OutputCommands() = default;

void OutputCommands::connectItem(const char* name, void (OutputCommands::*command)())
{
    connect(m_frame.findChild<QAction*>(QLatin1String(name)), &QAction::triggered, this, command);
}

void OutputCommands::printPrompt()
{
    if (askYesNo(QStringLiteral("Do you want to print this article?"), &m_frame))
        PrintArticle();
}

bool OutputCommands::moveToShownRow()
{
    Recordset& articles = m_session.rsArticles();
    const double position = m_display.shownPosition();
    if (position < 1 || position > articles.recordCount() || position != std::floor(position))
        return false;
    const int before = articles.absolutePosition();
    articles.setAbsolutePosition(int(position));
    if (!articles.value(QStringLiteral("RecordID")).isNull())
        return true;
    if (before > 0)
        articles.setAbsolutePosition(before);
    return false;
}

void OutputCommands::PrintArticle()
{
    Recordset& articles = m_session.rsArticles();
    const int before = articles.absolutePosition();
    if (!moveToShownRow()) {
        dialogs().inform(QStringLiteral("Please save the article before printing."), AppInfo::kTitle,
                         &m_frame);
        return;
    }
    if (const std::unique_ptr<QPrinter> printer = m_printerSource()) {
        QTextDocument page;
        ArticlePrintout::build(ArticleRow::read(articles), ArticlePrintout::headings(m_session.db()),
                               page);
        if (ArticlePrintout::print(page, *printer))
            return;
    }
    // Nothing printed: the set stays where it was.
    if (before > 0)
        articles.setAbsolutePosition(before);
    dialogs().inform(QStringLiteral("No printer is available. Check the printer settings and try again."),
                     AppInfo::kTitle, &m_frame);
}

void OutputCommands::exportCurrent()
{
    const Recordset& articles = m_session.rsArticles();
    Article article;
    try {
        if (!articles.isBof() && !articles.isEof())
            article = ArticleRow::read(articles);
    } catch (const DbError& error) {
        reportExportFailure({error.number(), error.description()}, &m_frame);
        return;
    }
    // The number, category and title as the window shows them, edits included.
    article.id = m_display.txtID->text();
    article.category = m_display.cboCUName->currentText();
    article.title = m_display.txtTitle->text();
    HtmlExport html;
    if (html.writeCurrent(article) != HtmlExport::Outcome::Written) {
        reportExportFailure(html.failure(), &m_frame);
        return;
    }
    dialogs().inform(QStringLiteral("File successfully written to: ") + HtmlExport::currentFile(),
                     AppInfo::kTitle, &m_frame);
}

void OutputCommands::exportAll()
{
    if (!askYesNo(QStringLiteral("Warning! This process could take several minutes depending on "
                                 "the size of your database. Continue?"),
                  &m_frame))
        return;
    QProgressDialog progress(QStringLiteral("Writing the articles to allarticles.html..."),
                             QStringLiteral("Cancel"), 0, 0, &m_frame);
    progress.setWindowTitle(AppInfo::kTitle);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    HtmlExport html;
    const HtmlExport::Outcome outcome =
        html.writeAll(m_session.rsArticles(), [&progress](int written, int total) {
            progress.setMaximum(total);
            progress.setValue(written);
            return !progress.wasCanceled();
        });
    progress.reset();
    if (outcome == HtmlExport::Outcome::Failed)
        reportExportFailure(html.failure(), &m_frame);
    if (outcome != HtmlExport::Outcome::Written)
        return;
    if (!m_openHtml)
        m_openHtml = new frmOpenHTML(&m_frame);
    m_openHtml->show();
    m_openHtml->activateWindow();
}

void OutputCommands::showLength()
{
    const qsizetype length =
        m_display.txtNote->toPlainText().size() + m_display.txtNote2->toPlainText().size();
    dialogs().inform(QStringLiteral("Article Length (in bytes):\n") + QString::number(length),
                     AppInfo::kTitle, &m_frame);
}

void OutputCommands::showCategoryReport()
{
    auto* report = new frmReportCat(m_session.db(), &m_frame);
    report->show();
}
