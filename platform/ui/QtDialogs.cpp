#include "QtDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QMetaObject>
#include <QWidget>
#include <vector>

namespace {

QMessageBox::StandardButton toStandard(Dialogs::Answer answer)
{
    switch (answer) {
    case Dialogs::Answer::Ok:
        return QMessageBox::Ok;
    case Dialogs::Answer::Cancel:
        return QMessageBox::Cancel;
    case Dialogs::Answer::Yes:
        return QMessageBox::Yes;
    case Dialogs::Answer::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

std::vector<Dialogs::Answer> answersOf(Dialogs::Buttons buttons)
{
    using A = Dialogs::Answer;
    switch (buttons) {
    case Dialogs::Buttons::Ok:
        return {A::Ok};
    case Dialogs::Buttons::OkCancel:
        return {A::Ok, A::Cancel};
    case Dialogs::Buttons::YesNo:
        return {A::Yes, A::No};
    case Dialogs::Buttons::YesNoCancel:
        return {A::Yes, A::No, A::Cancel};
    }
    return {A::Ok};
}

QMessageBox::Icon toIcon(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::None:
        return QMessageBox::NoIcon;
    case Dialogs::Icon::Information:
        return QMessageBox::Information;
    case Dialogs::Icon::Warning:
        return QMessageBox::Warning;
    case Dialogs::Icon::Critical:
        return QMessageBox::Critical;
    case Dialogs::Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

Dialogs::Answer QtDialogs::message(const Message& message, QWidget* parent)
{
    QMessageBox box(toIcon(message.icon), message.title, message.text, QMessageBox::NoButton,
                    parent);
    const std::vector<Answer> answers = answersOf(message.buttons);
    for (Answer answer : answers)
        box.addButton(toStandard(answer));
    box.setDefaultButton(toStandard(message.defaultButton.value_or(answers.front())));
    const bool hasCancel = message.buttons == Buttons::OkCancel ||
                           message.buttons == Buttons::YesNoCancel;
    box.setEscapeButton(toStandard(hasCancel ? Answer::Cancel : answers.back()));
    const int pressed = box.exec();
    for (Answer answer : answers) {
        if (pressed == toStandard(answer))
            return answer;
    }
    return hasCancel ? Answer::Cancel : answers.back();
}

QString QtDialogs::openFileName(const FileRequest& request, QWidget* parent)
{
    return QFileDialog::getOpenFileName(parent, request.caption, request.directory,
                                        request.filter);
}

QString QtDialogs::saveFileName(const FileRequest& request, QWidget* parent)
{
    return QFileDialog::getSaveFileName(parent, request.caption, request.directory,
                                        request.filter);
}

std::optional<QColor> QtDialogs::color(const QColor& initial, QWidget* parent)
{
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

std::optional<QFont> QtDialogs::font(const QFont& initial, QWidget* parent)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, parent);
    if (!ok)
        return std::nullopt;
    return chosen;
}

void QtDialogs::endProgram(int exitCode)
{
    for (QWidget* window : QApplication::topLevelWidgets())
        window->hide();
    // Queued, so that it also ends an event loop that has not started yet.
    QMetaObject::invokeMethod(
        qApp, [exitCode] { QCoreApplication::exit(exitCode); }, Qt::QueuedConnection);
    QCoreApplication::exit(exitCode);
}
