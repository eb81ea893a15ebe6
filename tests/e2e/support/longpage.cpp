#include "e2e/support/longpage.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <cstring>

namespace e2e {

LongPage::~LongPage() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(3000);
    }
}

bool LongPage::start(const QStringList& options) {
    const QString png = dir_.filePath("page.png");
    process_.start(qEnvironmentVariable("KOLVANE_LONG_PAGE"),
                   options + QStringList{"--write", png});
    if (!process_.waitForStarted(5000)) return false;
    QByteArray said;
    QElapsedTimer clock;
    clock.start();
    const QRegularExpression told(
        "selection (\\d+) (\\d+) (\\d+) (\\d+)\\nwindow (\\d+)\\nscrollbar (\\d+)\\n");
    while (clock.elapsed() < 15000) {
        process_.waitForReadyRead(100);
        said += process_.readAllStandardOutput();
        const auto m = told.match(QString::fromLatin1(said));
        if (!m.hasMatch()) continue;
        selection_ = QRect(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(),
                           m.captured(4).toInt());
        window_ = WId(m.captured(5).toULongLong());
        scrollBarWidth_ = m.captured(6).toInt();
        page_ = QImage(png).convertToFormat(QImage::Format_RGB32);
        return !page_.isNull();
    }
    return false;
}

QString firstDifference(const QImage& got, const QImage& want) {
    if (got.size() != want.size())
        return QString("size %1x%2, want %3x%4")
            .arg(got.width())
            .arg(got.height())
            .arg(want.width())
            .arg(want.height());
    for (int y = 0; y < got.height(); ++y)
        if (memcmp(got.constScanLine(y), want.constScanLine(y), size_t(got.width()) * 4))
            return QString("first different row %1").arg(y);
    return "same";
}

} // namespace e2e
