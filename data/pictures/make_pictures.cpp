// Renders the editor's pictures from their SVG sources:
//   make_pictures SOURCE.svg OUTPUT.{bmp,png} WIDTH HEIGHT
// BMP files are written with 24 bits a pixel (the tool pictures and the About
// banner have no transparency); PNG keeps the alpha channel (the program icon).
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fputs("usage: make_pictures SOURCE.svg OUTPUT.{bmp,png} WIDTH HEIGHT\n", stderr);
        return 2;
    }
    // Text needs the font database, which needs a GUI application; no display is used.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);
    const int width = std::atoi(argv[3]);
    const int height = std::atoi(argv[4]);

    QSvgRenderer renderer(source);
    if (!renderer.isValid() || width <= 0 || height <= 0) {
        std::fprintf(stderr, "make_pictures: %s is not a picture that can be drawn\n", argv[1]);
        return 1;
    }
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
    }
    const bool bmp = output.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive);
    const QImage stored = bmp ? image.convertToFormat(QImage::Format_RGB888) : image;
    if (!stored.save(output)) {
        std::fprintf(stderr, "make_pictures: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
