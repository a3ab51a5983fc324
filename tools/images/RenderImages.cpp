// Renders pictures from their SVG sources.
//   render-images FOLDER       each FOLDER/*.svg to a PNG at its own size and an @2x PNG at twice
//   that render-images --icon SVG   the program icon: SVG's folder gets velk-N.png for each size
//   and velk.ico

#include "IcoWriter.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

namespace {

QImage render(QSvgRenderer &renderer, const QSize &size)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return image;
}

int renderFolder(const QDir &folder)
{
    const QStringList sources = folder.entryList({QStringLiteral("*.svg")}, QDir::Files);
    for (const QString &source : sources) {
        QSvgRenderer renderer(folder.filePath(source));
        const QString base = folder.filePath(QFileInfo(source).completeBaseName());
        for (const auto &[scale, suffix] : {std::pair{1, ""}, std::pair{2, "@2x"}}) {
            const QString target = base + QLatin1String(suffix) + QStringLiteral(".png");
            if (!renderer.isValid() ||
                !render(renderer, renderer.defaultSize() * scale).save(target, "PNG")) {
                std::fprintf(stderr, "render-images: cannot render %s\n", qPrintable(source));
                return 1;
            }
            std::printf("%s\n", qPrintable(target));
        }
    }
    return 0;
}

// The desktop PNGs at every size, and the .ico: 32-bit with alpha at every size, 256 colours
// at 48, 32 and 16, and 16 colours at 32 and 16.
int renderIcon(const QString &svgPath)
{
    QSvgRenderer renderer(svgPath);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "render-images: cannot read %s\n", qPrintable(svgPath));
        return 1;
    }
    const QFileInfo source(svgPath);
    const QString base = source.dir().filePath(source.completeBaseName());
    IcoWriter ico;
    for (int size : {256, 64, 48, 40, 32, 24, 20, 16}) {
        const QImage image = render(renderer, QSize(size, size));
        const QString target = QStringLiteral("%1-%2.png").arg(base).arg(size);
        if (!image.save(target, "PNG"))
            return 1;
        std::printf("%s\n", qPrintable(target));
        ico.add(image, 32);
    }
    for (const auto &[size, bitCount] :
         {std::pair{48, 8}, std::pair{32, 8}, std::pair{16, 8}, std::pair{32, 4}, std::pair{16, 4}})
        ico.add(render(renderer, QSize(size, size)), bitCount);
    QFile file(base + QStringLiteral(".ico"));
    if (!file.open(QIODevice::WriteOnly) || file.write(ico.data()) < 0)
        return 1;
    std::printf("%s\n", qPrintable(file.fileName()));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.size() == 2 && arguments.first() == QLatin1String("--icon"))
        return renderIcon(arguments.last());
    if (arguments.size() == 1)
        return renderFolder(QDir(arguments.first()));
    std::fprintf(stderr, "usage: render-images FOLDER | render-images --icon SVG\n");
    return 2;
}
