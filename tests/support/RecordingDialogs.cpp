#include "RecordingDialogs.h"

#include <QTest>

QStringList RecordingDialogs::texts() const
{
    QStringList texts;
    for (const Message& message : m_messages)
        texts << message.text;
    return texts;
}

Dialogs::Message RecordingDialogs::lastMessage() const
{
    if (m_messages.isEmpty()) {
        QTest::qFail("no message box was shown", __FILE__, __LINE__);
        return {};
    }
    return m_messages.back();
}

void RecordingDialogs::clear()
{
    m_messages.clear();
    m_answers.clear();
    m_fileNames.clear();
    m_colors.clear();
    m_fonts.clear();
    m_fileRequests = 0;
    m_endCalls = 0;
}

Dialogs::Answer RecordingDialogs::message(const Message& message, QWidget*)
{
    m_messages.append(message);
    if (!m_answers.isEmpty())
        return m_answers.dequeue();
    if (message.defaultButton)
        return *message.defaultButton;
    const bool yesNo = message.buttons == Buttons::YesNo || message.buttons == Buttons::YesNoCancel;
    return yesNo ? Answer::Yes : Answer::Ok;
}

QString RecordingDialogs::takeFileName()
{
    ++m_fileRequests;
    return take(m_fileNames).value_or(QString());
}

void RecordingDialogs::endProgram(int exitCode)
{
    ++m_endCalls;
    m_lastExitCode = exitCode;
}
