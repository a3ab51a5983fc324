// velk-bare-window: the baseline for start-up and memory: a bare Qt program that shows an
// empty window and exits. With --idle MS it stays idle that long first and prints its peak
// resident memory (VmHWM, kB).

#include <QApplication>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const qsizetype idleAt = arguments.indexOf(QStringLiteral("--idle"));
    const int idleMs = idleAt > 0 ? arguments.value(idleAt + 1).toInt() : 0;

    QWidget window;
    window.resize(400, 704);
    window.show();

    QTimer::singleShot(idleMs, &application, [idleMs] {
        if (idleMs > 0) {
            QFile status(QStringLiteral("/proc/self/status"));
            status.open(QIODevice::ReadOnly);
            for (const QByteArray &line : status.readAll().split('\n')) {
                if (line.startsWith("VmHWM:"))
                    std::printf("%s\n", line.mid(6).trimmed().constData());
            }
        }
        QCoreApplication::quit();
    });
    return application.exec();
}
