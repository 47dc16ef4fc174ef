// tarnvale-icons: writes the application's icon for the desktop's icon theme,
// PNGs in the usual hicolor sizes and an SVG, all drawn from the shapes the
// window's icon is drawn from. Run by the build; not installed.
#include "app/AppIcon.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>

namespace {

constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: tarnvale-icons OUTPUT-FOLDER\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QString root = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/hicolor/");
    for (const int size : kSizes) {
        const QString path = root + QStringLiteral("%1x%1/apps/tarnvale.png").arg(size);
        QDir().mkpath(QFileInfo(path).path());
        if (!app::applicationIconImage(size).save(path, "PNG")) {
            std::fprintf(stderr, "tarnvale-icons: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    const QString svgPath = root + QStringLiteral("scalable/apps/tarnvale.svg");
    if (!writeFile(svgPath, app::applicationIconSvg().toUtf8())) {
        std::fprintf(stderr, "tarnvale-icons: cannot write %s\n", qPrintable(svgPath));
        return 1;
    }
    return 0;
}
