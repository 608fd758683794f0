#include "StartupProgress.h"

#include "db/LongWait.h"
#include "startup/AppInfo.h"
#include "ui/WaitCursor.h"

#include <QCoreApplication>
#include <QProgressDialog>

StartupProgress::StartupProgress()
{
    LongWait::setObserver([this] { waiting(); });
}

StartupProgress::~StartupProgress()
{
    LongWait::setObserver(&WaitCursor::showUntilIdle);
}

void StartupProgress::upgrading(SchemaUpgrade::Step step, int done, int total)
{
    QString label;
    switch (step) {
    case SchemaUpgrade::Step::PlainText:
        label = QStringLiteral("Adding the plain text of the articles to the knowledge base...");
        break;
    case SchemaUpgrade::Step::Indexes:
        label = QStringLiteral("Indexing the articles of the knowledge base...");
        break;
    case SchemaUpgrade::Step::SearchIndex:
        label = QStringLiteral("Indexing the articles for search...");
        break;
    }
    show(label, total, done);
}

void StartupProgress::waiting()
{
    show(QStringLiteral("Waiting for another program that is using the knowledge base..."), 0, 0);
}

void StartupProgress::show(const QString& label, int maximum, int value)
{
    if (!m_dialog) {
        m_dialog = std::make_unique<QProgressDialog>();
        m_dialog->setWindowTitle(AppInfo::kTitle);
        m_dialog->setCancelButton(nullptr);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->setMinimumDuration(0);
        m_dialog->setMinimumWidth(420);
        m_dialog->setCursor(Qt::WaitCursor);
    }
    m_dialog->setLabelText(label);
    m_dialog->setRange(0, maximum);
    m_dialog->setValue(value);
    m_dialog->show();
    // Nothing else runs before the main window shows: the window is drawn now.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
