#pragma once

// Rendered interface pictures with their true text, for measuring text recognition.
#include <QImage>
#include <QList>
#include <QString>

namespace kv::bench {

struct OcrSample {
    QString name;
    QImage picture;
    QString truth; // the text in reading order, one line per line
};

// Needs a QGuiApplication (fonts). Drawn with WenQuanYi Micro Hei, the font the
// project installs for its interface.
QList<OcrSample> renderOcrSamples();

} // namespace kv::bench
