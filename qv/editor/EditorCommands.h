#pragma once

#include <QDateTime>
#include <QObject>
#include <functional>

class RichTextBox;
class dTxtHelper;

// What the formatting toolbars and the font lists of the article window do. Every command
// acts on the working box: of the two rich-text boxes, the one that has the focus or had it
// last (the first box until either gets it). The format commands act on the selection or,
// with nothing selected, on what is typed next at the caret.
class EditorCommands : public QObject
{
    Q_OBJECT

public:
    // The format at the working box's caret (the start of its selection).
    struct CaretFormat
    {
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool bullet = false;
        int alignment = 0; // RichTextBox::Alignment
    };

    EditorCommands(RichTextBox& first, RichTextBox& second, dTxtHelper& textHelper,
                   QObject* parent = nullptr);

    CaretFormat caretFormat() const;

    // Each switches its format on where the caret's text lacks it and off where it has it.
    void toggleBold();
    void toggleItalic();
    void toggleUnderline();
    void toggleBullet();
    void align(int alignment);
    // Asks for a colour; cancelling changes nothing.
    void chooseColor();
    // Asks for a picture file and puts the picture at the caret; the clipboard is left as
    // it is. A file that is not a readable picture is reported and nothing is inserted.
    void insertPicture();
    // Replaces the selection with the current date and time as a general date.
    void insertDateTime();
    void cut();
    void copy();
    void paste();
    // The font lists: each sets the selection's font and gives the working box the focus.
    void setFontName(const QString& name);
    void setFontSize(const QString& size);

    // What insertDateTime() takes as the current time.
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

Q_SIGNALS:
    // The working box changed, or the caret or selection in it moved.
    void caretFormatChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void toggle(bool (RichTextBox::*isOn)() const, void (RichTextBox::*set)(bool));
    void onHelper(bool (dTxtHelper::*command)());

    RichTextBox* m_boxes[2];
    RichTextBox* m_working;
    dTxtHelper& m_textHelper;
    std::function<QDateTime()> m_clock = &QDateTime::currentDateTime;
};
