// The screen size: a test's override, LUMARO_SCREEN_SIZE, or the primary screen.
#include "gui/toolkit/screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>

namespace lumaro {

namespace {
QSize& overrideSize() {
    static QSize size;
    return size;
}

QSize sizeFromEnvironment() {
    const QStringList parts = qEnvironmentVariable("LUMARO_SCREEN_SIZE").split('x');
    if (parts.size() != 2) return {};
    return QSize(parts.at(0).toInt(), parts.at(1).toInt());
}
}  // namespace

QSize ScreenSize() {
    if (overrideSize().isValid()) return overrideSize();
    if (const QSize fromEnv = sizeFromEnvironment(); fromEnv.isValid()) return fromEnv;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
}

QRect AvailableScreenArea() {
    if (overrideSize().isValid() || sizeFromEnvironment().isValid()) return {};
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void SetScreenSizeOverride(const QSize& size) { overrideSize() = size; }

}  // namespace lumaro
