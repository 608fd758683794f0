#include "EditorCommands.h"

#include "richtext/RichTextBox.h"
#include "richtext/dTxtHelper.h"
#include "text/DateText.h"
#include "text/NumberText.h"
#include "ui/Dialogs.h"

#include <QEvent>
#include <QImageReader>

namespace {
// The picture formats read here; the first entry offers them all.
const QString kPictureFilter =
    QStringLiteral("All pictures (*.png *.jpg *.jpeg *.gif *.bmp);;PNG Files (*.png);;"
                   "JPEG Files (*.jpg *.jpeg);;Gif Files (*.gif);;Bitmap Files (*.bmp)");
} // namespace

EditorCommands::EditorCommands(RichTextBox& first, RichTextBox& second, dTxtHelper& textHelper,
                               QObject* parent)
    : QObject(parent), m_boxes{&first, &second}, m_working(&first), m_textHelper(textHelper)
{
    for (RichTextBox* box : m_boxes) {
        box->installEventFilter(this);
        connect(box, &RichTextBox::selChange, this, [this, box] {
            if (box == m_working)
                Q_EMIT caretFormatChanged();
        });
    }
}

bool EditorCommands::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn && watched != m_working) {
        m_working = static_cast<RichTextBox*>(watched);
        Q_EMIT caretFormatChanged();
    }
    return false;
}

EditorCommands::CaretFormat EditorCommands::caretFormat() const
{
    return {m_working->selBold(), m_working->selItalic(), m_working->selUnderline(),
            m_working->selBullet(), m_working->selAlignment()};
}

void EditorCommands::toggle(bool (RichTextBox::*isOn)() const, void (RichTextBox::*set)(bool))
{
    (m_working->*set)(!(m_working->*isOn)());
}

void EditorCommands::toggleBold()
{
    toggle(&RichTextBox::selBold, &RichTextBox::setSelBold);
}

void EditorCommands::toggleItalic()
{
    toggle(&RichTextBox::selItalic, &RichTextBox::setSelItalic);
}

void EditorCommands::toggleUnderline()
{
    toggle(&RichTextBox::selUnderline, &RichTextBox::setSelUnderline);
}

void EditorCommands::toggleBullet()
{
    toggle(&RichTextBox::selBullet, &RichTextBox::setSelBullet);
}

void EditorCommands::align(int alignment)
{
    m_working->setSelAlignment(alignment);
}

void EditorCommands::chooseColor()
{
    const QColor current = m_working->selColor();
    if (const std::optional<QColor> color =
            dialogs().color(current.isValid() ? current : QColor(Qt::black), m_working->window()))
        m_working->setSelColor(*color);
}

void EditorCommands::insertPicture()
{
    RichTextBox* box = m_working;
    const QString path = dialogs().openFileName(
        {QStringLiteral("Open Picture"), QString(), kPictureFilter}, box->window());
    if (path.isEmpty())
        return;
    const QImage picture = QImageReader(path).read();
    if (picture.isNull()) {
        dialogs().inform(QStringLiteral("The picture could not be loaded."),
                         QStringLiteral("Quorvel"), box->window());
        return;
    }
    box->insertPicture(picture);
}

void EditorCommands::insertDateTime()
{
    m_working->setSelText(DateText::format(m_clock(), QString()));
}

void EditorCommands::onHelper(bool (dTxtHelper::*command)())
{
    m_textHelper.SetEditor(m_working);
    (m_textHelper.*command)();
}

void EditorCommands::cut()
{
    onHelper(&dTxtHelper::Cut);
}

void EditorCommands::copy()
{
    onHelper(&dTxtHelper::Copy);
}

void EditorCommands::paste()
{
    onHelper(&dTxtHelper::Paste);
}

void EditorCommands::setFontName(const QString& name)
{
    m_working->setSelFontName(name);
    m_working->setFocus();
}

void EditorCommands::setFontSize(const QString& size)
{
    // A text without a leading number gives 0, which the box refuses.
    m_working->setSelFontSize(NumberText::leadingValue(size));
    m_working->setFocus();
}
