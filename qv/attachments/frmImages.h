#pragma once

#include <QDialog>
#include <QVariant>

class QLabel;
class QLineEdit;
class QPushButton;
class Recordset;

// The attachments window: the ten file slots of the current article, each with a View
// button. Files dropped on the window fill the empty slots. Every close writes the slots
// back to the article; the main window stays blocked while the window is open.
class frmImages : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kSlots = 10;
    // The text of an empty slot; only this exact text takes a dropped file.
    static const QString EmptySlotText;

    // Shows the current row of `articles`; the caption names the article by the article
    // window's number caption and number. The window blocks `mainWindow`, its parent.
    frmImages(Recordset& articles, const QString& numberCaption, const QString& number,
              QWidget* mainWindow);

    // Puts a dropped file's path into the first empty slot; false when no slot is empty.
    bool GotADrop(const QString& path);

    QLineEdit* slot(int number) const { return m_slots[number - 1]; }

public Q_SLOTS:
    // Every way of closing ends here: the slots are written back first, and a write the
    // database refuses keeps the window open with the slots as they stand. When it is
    // refused again, the user may close without the changes.
    void done(int result) override;

private:
    void buildControls();
    void loadSlots();
    void addDroppedFiles(const QStringList& paths);
    bool storeSlots();

    Recordset& m_articles;
    QLineEdit* m_slots[kSlots] = {};
    // The fields as read, put back when the user leaves without the refused changes.
    QVariant m_loaded[kSlots];
    QPushButton* Command11 = nullptr;
    bool m_stored = false;
    bool m_refused = false;
};
