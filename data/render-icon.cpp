#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>

#include <cstdio>

// Renders the scalable application icon as a square PNG for one of the fixed
// hicolor sizes, at build time, so that no rendered copy is kept in the tree.
// Usage: tessel-render-icon SVG SIZE PNG
int main(int argc, char* argv[])
{
    // Without a display the renderer needs no windowing system; a build host
    // has none.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 4) {
        std::fprintf(stderr, "usage: %s SVG SIZE PNG\n", qPrintable(arguments.value(0)));
        return 2;
    }

    bool numeric = false;
    const int size = arguments.at(2).toInt(&numeric);
    constexpr int largestSize = 1024;
    if (!numeric || size < 1 || size > largestSize) {
        std::fprintf(stderr, "%s: the size must be a number from 1 to %d\n", qPrintable(arguments.at(0)),
                     largestSize);
        return 2;
    }
    QSvgRenderer renderer(arguments.at(1));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "%s: %s is not a readable SVG image\n", qPrintable(arguments.at(0)),
                     qPrintable(arguments.at(1)));
        return 1;
    }

    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    // A drawing that is not square keeps its proportions, centred.
    QSizeF drawn = renderer.viewBoxF().size();
    drawn.scale(size, size, Qt::KeepAspectRatio);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF((size - drawn.width()) / 2, (size - drawn.height()) / 2), drawn));
    painter.end();

    // A write that fails half-way must not leave a truncated icon that the
    // next build takes as up to date.
    QSaveFile file(arguments.at(3));
    QImageWriter writer(&file, "png");
    if (!file.open(QIODevice::WriteOnly) || !writer.write(image) || !file.commit()) {
        const QString reason = writer.error() != QImageWriter::UnknownError ? writer.errorString() : file.errorString();
        std::fprintf(stderr, "%s: %s: %s\n", qPrintable(arguments.at(0)), qPrintable(arguments.at(3)),
                     qPrintable(reason));
        return 1;
    }
    return 0;
}
