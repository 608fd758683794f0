#pragma once

#include "ui/Dialogs.h"

#include <QList>
#include <QQueue>

// A Dialogs service for tests: remembers every call and gives scripted answers. Installs
// itself on construction and uninstalls on destruction.
class RecordingDialogs : public Dialogs
{
public:
    RecordingDialogs();
    ~RecordingDialogs() override;
    RecordingDialogs(const RecordingDialogs&) = delete;
    RecordingDialogs& operator=(const RecordingDialogs&) = delete;

    // Scripted answers, used in order; without one a message box answers with its
    // default button and the other dialogs are cancelled.
    void answerNext(Answer answer);
    void nextFileName(const QString& path);
    void nextColor(const QColor& color);
    void nextFont(const QFont& font);

    const QList<Message>& messages() const { return m_messages; }
    // The last message shown; fails the running test when none was shown.
    Message lastMessage() const;
    int fileRequests() const { return m_fileRequests; }
    int endProgramCalls() const { return m_endCalls; }
    int lastExitCode() const { return m_lastExitCode; }
    void clear();

    Answer message(const Message& message, QWidget* parent = nullptr) override;
    QString openFileName(const FileRequest& request, QWidget* parent = nullptr) override;
    QString saveFileName(const FileRequest& request, QWidget* parent = nullptr) override;
    std::optional<QColor> color(const QColor& initial, QWidget* parent = nullptr) override;
    std::optional<QFont> font(const QFont& initial, QWidget* parent = nullptr) override;
    void endProgram(int exitCode = 0) override;

private:
    QString takeFileName();

    QList<Message> m_messages;
    QQueue<Answer> m_answers;
    QQueue<QString> m_fileNames;
    QQueue<QColor> m_colors;
    QQueue<QFont> m_fonts;
    int m_fileRequests = 0;
    int m_endCalls = 0;
    int m_lastExitCode = 0;
};
