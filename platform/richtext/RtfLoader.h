#pragma once

#include <QFont>
#include <QObject>
#include <QString>
#include <atomic>

class QTextDocument;
class QThread;

// Reads an RTF text into a new document on a thread of its own, so that a long document
// never holds up the window that waits for it. The document is handed over in the thread
// the loader lives in; a loader destroyed first stops the reading and throws its document
// away.
class RtfLoader : public QObject
{
    Q_OBJECT

public:
    RtfLoader(const QString& rtf, const QFont& defaultFont, QObject* parent = nullptr);
    ~RtfLoader() override;
    RtfLoader(const RtfLoader&) = delete;
    RtfLoader& operator=(const RtfLoader&) = delete;

    // Waits for the reading to end and hands the document over (nullptr once taken).
    QTextDocument* take();

Q_SIGNALS:
    // The document is read; take() returns it without waiting.
    void finished();

private:
    QThread* m_thread = nullptr;
    std::atomic_bool m_cancelled{false};
    QTextDocument* m_document = nullptr;
    bool m_taken = false;
};
