#include "ViewAttachment.h"

#include "attachments/frmView.h"
#include "profile/Prefs.h"
#include "shell/ProgramFolder.h"
#include "shell/Shell.h"
#include "text/NumberText.h"
#include "ui/Dialogs.h"

#include <QFileInfo>
#include <QImageReader>

namespace {

// "N/A" is no exception: it names nothing in the program folder.
bool namesOrdinaryFile(const QString& path)
{
    const QFileInfo file(path);
    return file.isFile() && !file.isHidden();
}

// Shows the picture in the viewer, appending the slot's text to its caption; false when
// the file is not a picture the viewer can read.
bool showInViewer(const QString& slotText, const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage picture = reader.read();
    if (picture.isNull())
        return false;
    frmView& viewer = frmView::instance();
    viewer.setWindowTitle(viewer.windowTitle() + QStringLiteral(" - ") + slotText);
    viewer.setPicture(picture);
    viewer.show();
    viewer.raise();
    viewer.activateWindow();
    return true;
}

} // namespace

bool viewerPreferred()
{
    const std::optional<double> value = NumberText::toNumber(
        ReadPref(QStringLiteral("UserPrefs"), QStringLiteral("UseViewerForImages")));
    return value && NumberText::roundHalfEven(*value) != 0;
}

void ViewAttachment(const QString& slotText, QWidget* messageParent)
{
    const QString path = pathInProgramFolder(slotText);
    if (!namesOrdinaryFile(path)) {
        dialogs().inform(QStringLiteral("The file could not be found or displayed. Check the "
                                        "location of the file or try a different file."),
                         QStringLiteral("Quorvel"), messageParent);
        return;
    }
    if (viewerPreferred() && showInViewer(slotText, path))
        return;
    shell().openDocument(path);
}
