#pragma once

#include <QObject>
#include <QStringList>

class QDropEvent;
class QMimeData;
class QWidget;

// Makes a window a drop target for files dragged from a file manager. The hook watches the
// window's drag-and-drop events, and those of its children, so that a file dropped on any
// control of the window reaches it; other drags (text into a box) go on as usual.
class DragDrop : public QObject
{
    Q_OBJECT

public:
    // Hooks the window and the children it has now; the hook ends with the window.
    static DragDrop* HookDropTarget(QWidget* window);

    // The local file paths a drag carries, in their order; none for any other drag.
    static QStringList droppedFiles(const QMimeData* data);

Q_SIGNALS:
    // Files were dropped on the window; handled after the drop has finished, so that a
    // message shown then does not hold up the file manager.
    void filesDropped(const QStringList& paths);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit DragDrop(QWidget* window);
    // Takes the drop as a copy (never a move, which would let the source delete the
    // file); false when the source offers neither copy nor link.
    static bool acceptAsCopy(QDropEvent* event);
};
