// Renders an SVG picture into a square PNG, for icon themes that want a
// bitmap beside the scalable picture.
//
//   vorlan-rasterize <in.svg> <out.png> <size>
//
// Exits with 2 on wrong arguments and 1 when the picture cannot be read or
// the PNG cannot be written; no partial file is left behind.
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char *argv[]) {
    // Needs no display: it runs during the build.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    bool sizeOk = false;
    const int size = args.size() == 4 ? args[3].toInt(&sizeOk) : 0;
    if (!sizeOk || size < 1 || size > 4096) {
        std::fprintf(stderr, "usage: vorlan-rasterize <in.svg> <out.png> <size 1..4096>\n");
        return 2;
    }
    QSvgRenderer renderer(args[1]);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "vorlan-rasterize: cannot read %s as SVG\n", qPrintable(args[1]));
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
    }
    QSaveFile out(args[2]);
    if (!out.open(QIODevice::WriteOnly) || !image.save(&out, "PNG") || !out.commit()) {
        std::fprintf(stderr, "vorlan-rasterize: cannot write %s\n", qPrintable(args[2]));
        return 1;
    }
    return 0;
}
