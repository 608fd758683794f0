#include "frmGoTo.h"

#include "db/DbError.h"
#include "db/Recordset.h"
#include "search/GoToEntry.h"
#include "startup/AppInfo.h"
#include "startup/Session.h"
#include "ui/Dialogs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

const QString frmGoTo::FailedMessage = QStringLiteral(
    "A general error occured. Please check your entry and try again. Internal Error Code: G-01");

frmGoTo::frmGoTo(const SearchContext& context, QWidget* mainWindow)
    : QDialog(mainWindow), m_context(context)
{
    setObjectName(QStringLiteral("frmGoTo"));
    setWindowTitle(QStringLiteral("Go To Record..."));
    setAttribute(Qt::WA_DeleteOnClose);
    // "&GO" holds G.
    Label1 = new QLabel(QStringLiteral("Go &to record:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Text1 = new QLineEdit(QStringLiteral("1"), this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->selectAll();
    Label1->setBuddy(Text1);
    Command1 = new QPushButton(QStringLiteral("&GO"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    auto* row = new QHBoxLayout(this);
    row->addWidget(Label1);
    row->addWidget(Text1);
    row->addWidget(Command1);
    connect(Command1, &QPushButton::clicked, this, &frmGoTo::Command1_Click);
}

void frmGoTo::Command1_Click()
{
    Recordset& articles = m_context.session.rsArticles();
    const GoToEntry entry = GoToEntry::check(Text1->text(), articles.recordCount());
    if (entry.verdict() != GoToEntry::Verdict::Go) {
        dialogs().inform(entry.message(), AppInfo::kTitle, this);
        return;
    }
    // Every step runs; a failure is reported once, after the dialog has closed.
    bool refused = false;
    try {
        articles.setAbsolutePosition(entry.position());
    } catch (const DbError&) {
        refused = true;
    }
    m_context.Display_Data();
    close();
    if (!refused)
        return;
    dialogs().inform(FailedMessage, AppInfo::kTitle, m_context.mainWindow);
    Q_EMIT failed();
}
