// Feeds arbitrary bytes to the RTF reader. Besides the sanitizers' findings, it stops on a
// document whose plain text differs from what the plain-text extraction gives.
#include "richtext/RtfReader.h"

#include <QGuiApplication>
#include <QTextDocument>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size));
    QTextDocument document;
    RtfReader::read(text, document);
    if (document.toPlainText() != RtfReader::plainText(text)) {
        std::fprintf(stderr, "plain text differs from the document's text\n");
        std::abort();
    }
    return 0;
}
