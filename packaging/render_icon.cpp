#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>

// Draws the scalable program icon into a square PNG of the given size for
// the fixed-size folders of the hicolor icon theme:
// qorva-render-icon IN.svg SIZE OUT.png
int main(int argc, char* argv[])
{
    if (argc != 4) {
        std::fputs("usage: qorva-render-icon IN.svg SIZE OUT.png\n", stderr);
        return 2;
    }
    const int size = std::atoi(argv[2]);
    if (size < 1 || size > 1024) {
        std::fprintf(stderr, "qorva-render-icon: size %s is not 1-1024\n", argv[2]);
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "qorva-render-icon: %s is not a readable SVG file\n", argv[1]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "qorva-render-icon: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
