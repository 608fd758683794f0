// Times the RTF reader and writer on generated documents, against Qt's own HTML reader and
// writer on the same documents, and the plain-text extraction of many stored articles.
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QRandomGenerator>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

QByteArray noisyPng(int width, int height, quint32 seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, (x * 4) << 16 | (y * 4) << 8 | random.bounded(64));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Paragraphs of mixed formats, a bullet list after every tenth, and the given pictures.
void fill(QTextDocument& document, int paragraphs, const QList<QByteArray>& pictures)
{
    const QStringList words = {"printer", "spooler", "restart", "Grüße", "the", "service",
                               "toner", "€5", "driver", "queue", "Привет", "network"};
    QTextCursor cursor(&document);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    QTextCharFormat red;
    red.setForeground(QColor(200, 0, 0));
    QTextCharFormat mono;
    mono.setFontFamilies({"Courier New"});
    mono.setFontPointSize(9);
    const QList<QTextCharFormat> formats = {QTextCharFormat(), bold, red, mono};
    for (int p = 0; p < paragraphs; ++p) {
        if (p > 0)
            cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
        if (p % 10 == 9) {
            QTextListFormat list;
            list.setStyle(QTextListFormat::ListDisc);
            cursor.createList(list);
        }
        for (int w = 0; w < 12; ++w)
            cursor.insertText(words[(p * 7 + w) % words.size()] + ' ', formats[(p + w / 3) % 4]);
        if (p < pictures.size()) {
            QTextImageFormat image;
            image.setName(RtfReader::addPicture(document, pictures[p]));
            cursor.insertImage(image);
        }
    }
}

// The best of several runs after a warm-up, in milliseconds.
double best(const std::function<void()>& work, int runs = 20)
{
    work();
    double fastest = 1e30;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        fastest = std::min(fastest, timer.nsecsElapsed() / 1e6);
    }
    return fastest;
}

void compare(const char* name, const QTextDocument& document)
{
    const QString rtf = RtfWriter::write(document);
    const QString html = document.toHtml();
    const double write = best([&] { RtfWriter::write(document); });
    const double writeHtml = best([&] { (void)document.toHtml(); });
    const double read = best([&] {
        QTextDocument target;
        RtfReader::read(rtf, target);
    });
    const double readHtml = best([&] {
        QTextDocument target;
        target.setHtml(html);
    });
    std::printf("%-10s %7.1f KB RTF | write %7.3f ms (HTML %7.3f ms, ratio %.2f) | read %7.3f ms "
                "(HTML %7.3f ms, ratio %.2f)\n",
                name, rtf.size() / 1024.0, write, writeHtml, write / writeHtml, read, readHtml,
                read / readHtml);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);

    QTextDocument large;
    fill(large, 570, {noisyPng(64, 48, 1), noisyPng(64, 48, 2)});
    compare("100 KB", large);

    QTextDocument article;
    fill(article, 18, {});
    compare("3 KB", article);

    const QString stored = RtfWriter::write(article);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    std::vector<QString> articles(std::size_t(std::max(count, 1)));
    for (std::size_t i = 0; i < articles.size(); ++i)
        articles[i] = QString(stored).replace(QLatin1String("printer"), QString::number(i));
    QElapsedTimer timer;
    timer.start();
    qsizetype characters = 0;
    for (const QString& text : articles)
        characters += RtfReader::plainText(text).size();
    std::printf("plain text of %zu stored %.1f KB articles: %.0f ms (%lld characters)\n",
                articles.size(), stored.size() / 1024.0, double(timer.elapsed()),
                static_cast<long long>(characters));
    return 0;
}
