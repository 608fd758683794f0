#include "RecordingDialogs.h"

#include <QTest>

RecordingDialogs::RecordingDialogs()
{
    installDialogs(this);
}

RecordingDialogs::~RecordingDialogs()
{
    installDialogs(nullptr);
}

void RecordingDialogs::answerNext(Answer answer)
{
    m_answers.enqueue(answer);
}

void RecordingDialogs::nextFileName(const QString& path)
{
    m_fileNames.enqueue(path);
}

void RecordingDialogs::nextColor(const QColor& color)
{
    m_colors.enqueue(color);
}

void RecordingDialogs::nextFont(const QFont& font)
{
    m_fonts.enqueue(font);
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
    switch (message.buttons) {
    case Buttons::Ok:
    case Buttons::OkCancel:
        return Answer::Ok;
    case Buttons::YesNo:
    case Buttons::YesNoCancel:
        return Answer::Yes;
    }
    return Answer::Ok;
}

QString RecordingDialogs::takeFileName()
{
    ++m_fileRequests;
    return m_fileNames.isEmpty() ? QString() : m_fileNames.dequeue();
}

QString RecordingDialogs::openFileName(const FileRequest&, QWidget*)
{
    return takeFileName();
}

QString RecordingDialogs::saveFileName(const FileRequest&, QWidget*)
{
    return takeFileName();
}

std::optional<QColor> RecordingDialogs::color(const QColor&, QWidget*)
{
    if (m_colors.isEmpty())
        return std::nullopt;
    return m_colors.dequeue();
}

std::optional<QFont> RecordingDialogs::font(const QFont&, QWidget*)
{
    if (m_fonts.isEmpty())
        return std::nullopt;
    return m_fonts.dequeue();
}

void RecordingDialogs::endProgram(int exitCode)
{
    ++m_endCalls;
    m_lastExitCode = exitCode;
}
