#include "UserGuide.h"

#include "shell/ProgramFolder.h"
#include "shell/Shell.h"

#include <QFileInfo>

namespace UserGuide {

QString path()
{
    return applicationFolder() + QStringLiteral("/Quorvel User's Guide.pdf");
}

void open()
{
    if (QFileInfo::exists(path()))
        shell().openDocument(path());
}

} // namespace UserGuide
