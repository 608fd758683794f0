#include "frmImages.h"

#include "attachments/DragDrop.h"
#include "attachments/ViewAttachment.h"
#include "db/DbError.h"
#include "db/Recordset.h"
#include "ui/Dialogs.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kTitle = QStringLiteral("Quorvel");

QString fieldName(int number)
{
    return QStringLiteral("Image%1").arg(number);
}

} // namespace

const QString frmImages::EmptySlotText = QStringLiteral("N/A");

frmImages::frmImages(Recordset& articles, const QString& numberCaption, const QString& number,
                     QWidget* mainWindow)
    : QDialog(mainWindow), m_articles(articles)
{
    setObjectName(QStringLiteral("frmImages"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    setSizeGripEnabled(true);
    buildControls();

    DragDrop* hook = DragDrop::HookDropTarget(this);
    connect(hook, &DragDrop::filesDropped, this, &frmImages::addDroppedFiles);
    setWindowTitle(QStringLiteral("Images and Attachments for ") + QLatin1Char(' ') +
                   numberCaption + QLatin1Char(' ') + number);
    loadSlots();
}

void frmImages::buildControls()
{
    auto* grid = new QGridLayout(this);
    grid->setColumnStretch(1, 1);
    for (int n = 1; n <= kSlots; ++n) {
        // Alt+1 to Alt+9, and Alt+0 for the tenth.
        const QString caption = QStringLiteral("File %1").arg(n);
        auto* label = new QLabel(
            caption.left(caption.size() - 1) + QLatin1Char('&') + caption.right(1), this);
        label->setObjectName(QStringLiteral("Label%1").arg(n));
        QLineEdit* text = m_slots[n - 1] = new QLineEdit(EmptySlotText, this);
        text->setObjectName(QStringLiteral("Text%1").arg(n));
        text->setMinimumWidth(520);
        label->setBuddy(text);
        auto* view =
            new QPushButton(n == 1 ? QStringLiteral("&View") : QStringLiteral("View"), this);
        view->setObjectName(QStringLiteral("cmdView%1").arg(n));
        view->setAccessibleName(QStringLiteral("View file %1").arg(n));
        view->setAutoDefault(false);
        connect(view, &QPushButton::clicked, this,
                [this, text] { ViewAttachment(text->text(), this); });
        grid->addWidget(label, n - 1, 0);
        grid->addWidget(text, n - 1, 1);
        grid->addWidget(view, n - 1, 2);
    }

    auto* hint = new QLabel(QStringLiteral("* Drag and Drop files here. Fields marked N/A will "
                                           "accept the dropped file."),
                            this);
    hint->setObjectName(QStringLiteral("Label12"));
    hint->setWordWrap(true);
    Command11 = new QPushButton(QStringLiteral("Update and &Close"), this);
    Command11->setObjectName(QStringLiteral("Command11"));
    Command11->setAutoDefault(false);
    grid->addWidget(hint, kSlots, 0, 1, 2);
    grid->addWidget(Command11, kSlots, 2);
    // Escape rejects the dialog, as this button does.
    connect(Command11, &QPushButton::clicked, this, &QDialog::reject);
}

void frmImages::loadSlots()
{
    for (int n = 1; n <= kSlots; ++n) {
        // A field that holds nothing at all is an empty slot.
        const QVariant value = m_articles.value(fieldName(n));
        m_loaded[n - 1] = value;
        m_slots[n - 1]->setText(value.isNull() ? EmptySlotText : value.toString());
    }
}

bool frmImages::GotADrop(const QString& path)
{
    for (QLineEdit* text : m_slots) {
        if (text->text() == EmptySlotText) {
            text->setText(path);
            return true;
        }
    }
    return false;
}

void frmImages::addDroppedFiles(const QStringList& paths)
{
    bool allAdded = true;
    for (const QString& path : paths)
        allAdded = GotADrop(path) && allAdded;
    if (!allAdded)
        dialogs().inform(QStringLiteral("Not every dropped file could be added: set a slot to "
                                        "N/A to free it."),
                         kTitle, this);
}

bool frmImages::storeSlots()
{
    try {
        for (int n = 1; n <= kSlots; ++n)
            m_articles.setValue(fieldName(n), m_slots[n - 1]->text());
        m_articles.updateBatch();
        return true;
    } catch (const DbError& error) {
        const QString text = QStringLiteral("The attachments could not be saved. ") +
                             error.description();
        if (!m_refused) {
            m_refused = true;
            dialogs().inform(text, kTitle, this);
            return false;
        }
        // Refused again: the cause may not go away while the window blocks the program, so
        // the user may leave without the changes rather than be held here.
        const Dialogs::Answer answer = dialogs().message(
            {text + QStringLiteral("\n\nClose without saving the attachments?"), kTitle,
             Dialogs::Buttons::YesNo, Dialogs::Icon::Question, Dialogs::Answer::No},
            this);
        if (answer != Dialogs::Answer::Yes)
            return false;
        for (int n = 1; n <= kSlots; ++n)
            m_articles.setValue(fieldName(n), m_loaded[n - 1]);
        return true;
    }
}

void frmImages::done(int result)
{
    // Closing runs through here twice (the button, then the close it causes); one write.
    if (!m_stored && !storeSlots())
        return;
    m_stored = true;
    QDialog::done(result);
}
