#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>

class QWidget;

// Every message box, common dialog and the end of the program go through this service,
// so that tests can replace it with a recording one (see installDialogs()).
class Dialogs
{
public:
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Icon { None, Information, Warning, Critical, Question };
    enum class Answer { Ok, Cancel, Yes, No };

    struct Message
    {
        QString text;
        QString title;
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
        // The button that Enter presses; the first button of the set when not given.
        std::optional<Answer> defaultButton;
    };

    struct FileRequest
    {
        QString caption;
        QString directory;
        QString filter; // Qt filter text, e.g. "Pictures (*.png *.jpg);;All files (*)"
    };

    virtual ~Dialogs() = default;

    // Shows a message box and returns the button the user pressed. Closing the box
    // without a button counts as Cancel where there is one, otherwise as the last button.
    virtual Answer message(const Message& message, QWidget* parent = nullptr) = 0;

    // The chosen file's full path, or an empty text when the user cancelled.
    virtual QString openFileName(const FileRequest& request, QWidget* parent = nullptr) = 0;
    virtual QString saveFileName(const FileRequest& request, QWidget* parent = nullptr) = 0;

    // The chosen colour or font, or nothing when the user cancelled.
    virtual std::optional<QColor> color(const QColor& initial, QWidget* parent = nullptr) = 0;
    virtual std::optional<QFont> font(const QFont& initial, QWidget* parent = nullptr) = 0;

    // Ends the program: every window closes and the event loop ends (at once when it runs,
    // as soon as it starts otherwise). The caller returns straight after.
    virtual void endProgram(int exitCode = 0) = 0;

    // A message box with an OK button and no icon.
    Answer inform(const QString& text, const QString& title, QWidget* parent = nullptr);
};

// The service in use: the Qt one unless a test installed another.
Dialogs& dialogs();
// Installs a replacement (not owned); nullptr goes back to the Qt service.
void installDialogs(Dialogs* replacement);
