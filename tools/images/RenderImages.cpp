// Renders each SVG picture in a folder to a PNG at its own size and an @2x PNG at twice that.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

namespace {

bool render(const QString &svgPath, const QString &pngPath, int scale)
{
    QSvgRenderer renderer(svgPath);
    if (!renderer.isValid())
        return false;
    QImage image(renderer.defaultSize() * scale, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return image.save(pngPath, "PNG");
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: render-images FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const QStringList sources = folder.entryList({QStringLiteral("*.svg")}, QDir::Files);
    for (const QString &source : sources) {
        const QString base = folder.filePath(QFileInfo(source).completeBaseName());
        for (const auto &[scale, suffix] : {std::pair{1, ""}, std::pair{2, "@2x"}}) {
            const QString target = base + QLatin1String(suffix) + QStringLiteral(".png");
            if (!render(folder.filePath(source), target, scale)) {
                std::fprintf(stderr, "render-images: cannot render %s\n", qPrintable(source));
                return 1;
            }
            std::printf("%s\n", qPrintable(target));
        }
    }
    return 0;
}
