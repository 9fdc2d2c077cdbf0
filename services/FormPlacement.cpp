#include "services/FormPlacement.h"

#include <algorithm>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

enum TWinState { wsNormal = 0, wsMinimized = 1, wsMaximized = 2 };

int WinStateOf(const QWidget& window)
{
    const Qt::WindowStates state = window.windowState();
    if (state & Qt::WindowMinimized)
        return wsMinimized;
    if (state & Qt::WindowMaximized)
        return wsMaximized;
    return wsNormal;
}

// The geometry the window returns to when it is neither minimised nor
// maximised.
QRect NormalGeometry(const QWidget& window)
{
    const QRect normal = window.normalGeometry();
    return normal.isValid() ? normal : window.geometry();
}

QScreen* ScreenOf(const QWidget& window)
{
    if (QScreen* screen = window.screen())
        return screen;
    return QGuiApplication::primaryScreen();
}

} // namespace

int KeepEdgeOnScreen(int edge, int screenExtent)
{
    if (edge < 0)
        return 0;
    if (edge > screenExtent - 100)
        return screenExtent - 200;
    return edge;
}

QString PlacementSection(const QWidget& window)
{
    const QString name = window.objectName();
    return name.isEmpty() ? QString::fromLatin1(window.metaObject()->className()) : name;
}

void LoadFormPlacement(QWidget& window, const TSettingsStore& store)
{
    const QString section = PlacementSection(window);
    const QRect current = NormalGeometry(window);
    int left = store.ReadInteger(section, QStringLiteral("Left"), current.left());
    int top = store.ReadInteger(section, QStringLiteral("Top"), current.top());
    int width = store.ReadInteger(section, QStringLiteral("Width"), current.width());
    int height = store.ReadInteger(section, QStringLiteral("Height"), current.height());
    // A size edited down to nothing would leave no window to see.
    if (width < 1)
        width = current.width();
    if (height < 1)
        height = current.height();
    // A size larger than the screen is cut to the screen (and to what a
    // widget can be at all), so that the window's edges stay reachable and
    // left + width cannot overflow.
    width = std::min(width, QWIDGETSIZE_MAX);
    height = std::min(height, QWIDGETSIZE_MAX);
    if (const QScreen* screen = ScreenOf(window)) {
        const QSize available = screen->availableGeometry().size();
        left = KeepEdgeOnScreen(left, available.width());
        top = KeepEdgeOnScreen(top, available.height());
        width = std::min(width, std::max(available.width(), 1));
        height = std::min(height, std::max(available.height(), 1));
    }
    const int state = store.ReadInteger(section, QStringLiteral("WinState"), WinStateOf(window));

    Qt::WindowStates windowState =
        window.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    window.setWindowState(windowState);
    // A window never stored keeps the place the desktop gives it; only a
    // stored position moves it.
    const bool placed = store.ValueExists(section, QStringLiteral("Left")) ||
                        store.ValueExists(section, QStringLiteral("Top"));
    if (placed)
        window.setGeometry(left, top, width, height);
    else
        window.resize(width, height);
    if (state == wsMinimized)
        windowState |= Qt::WindowMinimized;
    else if (state == wsMaximized)
        windowState |= Qt::WindowMaximized;
    window.setWindowState(windowState);
}

void SaveFormPlacement(const QWidget& window, const TSettingsStore& store)
{
    const QString section = PlacementSection(window);
    const QRect normal = NormalGeometry(window);
    store.WriteInteger(section, QStringLiteral("Left"), normal.left());
    store.WriteInteger(section, QStringLiteral("Top"), normal.top());
    store.WriteInteger(section, QStringLiteral("Width"), normal.width());
    store.WriteInteger(section, QStringLiteral("Height"), normal.height());
    store.WriteBool(section, QStringLiteral("Visible"), window.isVisible());
    store.WriteInteger(section, QStringLiteral("WinState"), WinStateOf(window));
}
