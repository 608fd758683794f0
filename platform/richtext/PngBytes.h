#pragma once

#include <QByteArray>

class QImage;

// A picture as PNG bytes, the form pictures take in a document when they did not arrive
// as PNG or JPEG. Empty for a null image.
QByteArray pngBytes(const QImage& image);
