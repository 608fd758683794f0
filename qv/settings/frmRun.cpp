#include "frmRun.h"

#include "shell/Shell.h"

#include <QLineEdit>
#include <QPushButton>

frmRun::frmRun(QWidget* parent)
    : LineEntryDialog(parent, "frmRun", QStringLiteral("Run"),
                      QStringLiteral("&Type the name of a: program , folder, or document and "
                                     "Orvane will open it for you."),
                      QStringLiteral("OK"), QStringLiteral("Cancel"))
{
    connect(Command1, &QPushButton::clicked, this, [this] {
        shell().startCommandLine(Text1->text(), Shell::WindowMode::Minimized);
    });
}
