#pragma once

#include "ui/Dialogs.h"

#include <QList>
#include <QQueue>
#include <QStringList>

// A Dialogs service for tests: remembers every call and gives scripted answers. Installs
// itself on construction and uninstalls on destruction.
class RecordingDialogs : public Dialogs
{
public:
    RecordingDialogs() { installDialogs(this); }
    ~RecordingDialogs() override { installDialogs(nullptr); }
    RecordingDialogs(const RecordingDialogs&) = delete;
    RecordingDialogs& operator=(const RecordingDialogs&) = delete;

    // Scripted answers, used in order; without one a message box answers with its
    // default button and the other dialogs are cancelled.
    void answerNext(Answer answer) { m_answers.enqueue(answer); }
    void nextFileName(const QString& path) { m_fileNames.enqueue(path); }
    void nextColor(const QColor& color) { m_colors.enqueue(color); }
    void nextFont(const QFont& font) { m_fonts.enqueue(font); }

    const QList<Message>& messages() const { return m_messages; }
    // The texts of the messages shown, in order.
    QStringList texts() const;
    // The last message shown; fails the running test when none was shown.
    Message lastMessage() const;
    int fileRequests() const { return m_fileRequests; }
    int endProgramCalls() const { return m_endCalls; }
    int lastExitCode() const { return m_lastExitCode; }
    void clear();

    Answer message(const Message& message, QWidget* parent = nullptr) override;
    QString openFileName(const FileRequest&, QWidget* = nullptr) override { return takeFileName(); }
    QString saveFileName(const FileRequest&, QWidget* = nullptr) override { return takeFileName(); }
    std::optional<QColor> color(const QColor&, QWidget* = nullptr) override { return take(m_colors); }
    std::optional<QFont> font(const QFont&, QWidget* = nullptr) override { return take(m_fonts); }
    void endProgram(int exitCode = 0) override;

private:
    QString takeFileName();
    template <typename T> static std::optional<T> take(QQueue<T>& queue)
    {
        return queue.isEmpty() ? std::nullopt : std::optional<T>(queue.dequeue());
    }

    QList<Message> m_messages;
    QQueue<Answer> m_answers;
    QQueue<QString> m_fileNames;
    QQueue<QColor> m_colors;
    QQueue<QFont> m_fonts;
    int m_fileRequests = 0;
    int m_endCalls = 0;
    int m_lastExitCode = 0;
};
