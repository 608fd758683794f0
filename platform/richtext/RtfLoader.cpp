#include "RtfLoader.h"

#include "RtfReader.h"

#include <QTextDocument>
#include <QThread>

RtfLoader::RtfLoader(const QString& rtf, const QFont& defaultFont, QObject* parent)
    : QObject(parent)
{
    QThread* const target = thread();
    m_thread = QThread::create([this, rtf, defaultFont, target] {
        auto* document = new QTextDocument;
        document->setDefaultFont(defaultFont);
        RtfReader::read(rtf, *document, [this] { return !m_cancelled.load(); });
        if (m_cancelled) {
            delete document;
            return;
        }
        document->setModified(false);
        document->moveToThread(target);
        m_document = document;
    });
    connect(m_thread, &QThread::finished, this, [this] {
        if (!m_cancelled)
            Q_EMIT finished();
    });
    m_thread->start(QThread::LowPriority);
}

RtfLoader::~RtfLoader()
{
    m_cancelled = true;
    m_thread->wait();
    delete m_thread;
    if (!m_taken)
        delete m_document;
}

QTextDocument* RtfLoader::take()
{
    if (m_taken)
        return nullptr;
    m_thread->wait();
    m_taken = true;
    return m_document;
}
