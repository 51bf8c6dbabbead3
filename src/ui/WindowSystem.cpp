#include "ui/WindowSystem.h"

#include <QGuiApplication>
#include <QPoint>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

namespace WindowSystem {

namespace {
MoveStarter &moveStarter()
{
    static MoveStarter current;
    return current;
}

MoveEnder &moveEnder()
{
    static MoveEnder current;
    return current;
}

DesktopWorkArea &desktopWorkArea()
{
    static DesktopWorkArea current;
    return current;
}

template <typename Reply> using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_connection_t *X11()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t Atom(xcb_connection_t *x11, const char *name)
{
    const Owned<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(x11, xcb_intern_atom(x11, false, uint16_t(std::strlen(name)), name),
                              nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

xcb_window_t Root(xcb_connection_t *x11, xcb_window_t window)
{
    const Owned<xcb_query_tree_reply_t> reply(
        xcb_query_tree_reply(x11, xcb_query_tree(x11, window), nullptr), &std::free);
    return reply ? reply->root : xcb_window_t(XCB_WINDOW_NONE);
}

bool SupportedByWindowManager(xcb_connection_t *x11, xcb_window_t root, xcb_atom_t feature)
{
    const Owned<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(
            x11,
            xcb_get_property(x11, false, root, Atom(x11, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 0, 4096),
            nullptr),
        &std::free);
    if (!reply || reply->format != 32)
        return false;
    const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / int(sizeof(xcb_atom_t));
    return std::find(atoms, atoms + count, feature) != atoms + count;
}

// The X server counts in device pixels from each screen's top-left, Qt in scaled ones.
QPoint DevicePixels(const QPoint &point, const QScreen *screen)
{
    const QPoint origin = screen->geometry().topLeft();
    return origin + (point - origin) * screen->devicePixelRatio();
}

// A _NET_WM_MOVERESIZE request for `window`: `action` 8 moves it by the pointer from `at`, 11
// cancels the move. False where the window manager does not take them.
bool SendMoveResize(xcb_connection_t *x11, QWindow *window, uint32_t action, const QPoint &at)
{
    const auto id = xcb_window_t(window->winId());
    const xcb_window_t root = Root(x11, id);
    const xcb_atom_t moveResize = Atom(x11, "_NET_WM_MOVERESIZE");
    if (root == XCB_WINDOW_NONE || !SupportedByWindowManager(x11, root, moveResize))
        return false;
    xcb_client_message_event_t message = {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = moveResize;
    message.data.data32[0] = uint32_t(at.x());
    message.data.data32[1] = uint32_t(at.y());
    message.data.data32[2] = action;
    message.data.data32[3] = XCB_BUTTON_INDEX_1;
    message.data.data32[4] = 1; // asked for by an application
    // The window manager needs the pointer, which the press gave to this program.
    xcb_ungrab_pointer(x11, XCB_CURRENT_TIME);
    xcb_send_event(x11, false, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(x11);
    return true;
}

// Qt's own request names the position of the last pointer event, not the press: the window
// would trail the pointer by the drag distance, or worse.
bool X11Move(xcb_connection_t *x11, QWindow *window, const QPoint &pressGlobal)
{
    const QScreen *screen = QGuiApplication::screenAt(pressGlobal);
    return SendMoveResize(x11, window, 8,
                          DevicePixels(pressGlobal, screen ? screen : window->screen()));
}

// _NET_WORKAREA of the current desktop: one rectangle over every monitor, in device pixels.
std::optional<QRect> X11WorkArea()
{
    xcb_connection_t *x11 = X11();
    if (!x11)
        return std::nullopt;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x11)).data->root;
    const auto cardinals = [&](const char *name) {
        const Owned<xcb_get_property_reply_t> reply(
            xcb_get_property_reply(
                x11,
                xcb_get_property(x11, false, root, Atom(x11, name), XCB_ATOM_CARDINAL, 0, 4096),
                nullptr),
            &std::free);
        std::vector<uint32_t> values;
        if (reply && reply->format == 32) {
            const auto *data = static_cast<const uint32_t *>(xcb_get_property_value(reply.get()));
            values.assign(data, data + xcb_get_property_value_length(reply.get()) / 4);
        }
        return values;
    };
    const std::vector<uint32_t> desktop = cardinals("_NET_CURRENT_DESKTOP");
    const std::vector<uint32_t> areas = cardinals("_NET_WORKAREA");
    const size_t at = 4 * (desktop.empty() ? 0 : desktop[0]);
    if (areas.size() < at + 4)
        return std::nullopt;
    return QRect(int(areas[at]), int(areas[at + 1]), int(areas[at + 2]), int(areas[at + 3]));
}
} // namespace

void KeepOffTaskBar(QWidget *window)
{
    xcb_connection_t *x11 = X11();
    if (!x11)
        return;
    const auto id = xcb_window_t(window->winId());
    const xcb_atom_t skip = Atom(x11, "_NET_WM_STATE_SKIP_TASKBAR");
    // On a window not yet mapped the property is the program's to set; Qt adds its own states
    // to it when it maps the window.
    xcb_change_property(x11, XCB_PROP_MODE_APPEND, id, Atom(x11, "_NET_WM_STATE"), XCB_ATOM_ATOM,
                        32, 1, &skip);
    xcb_flush(x11);
}

bool StartSystemMove(QWidget *window, const QPoint &pressGlobal)
{
    if (moveStarter())
        return moveStarter()(window, pressGlobal);
    QWindow *handle = window->windowHandle();
    if (!handle)
        return false;
    // Let go already, the button would leave the window manager waiting for its release: the
    // window then follows the pointer to where it was let go, itself.
    if (xcb_connection_t *x11 = X11())
        return LeftButtonDown() && X11Move(x11, handle, pressGlobal);
    return handle->startSystemMove();
}

void EndSystemMove(QWidget *window)
{
    if (moveEnder()) {
        moveEnder()(window);
        return;
    }
    QWindow *handle = window->windowHandle();
    if (xcb_connection_t *x11 = X11(); x11 && handle)
        SendMoveResize(x11, handle, 11, {});
}

bool LeftButtonDown()
{
    xcb_connection_t *x11 = X11();
    if (!x11)
        return QGuiApplication::mouseButtons() & Qt::LeftButton;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x11)).data->root;
    const Owned<xcb_query_pointer_reply_t> reply(
        xcb_query_pointer_reply(x11, xcb_query_pointer(x11, root), nullptr), &std::free);
    return reply && (reply->mask & XCB_BUTTON_MASK_1);
}

QRect WorkArea(const QScreen *screen)
{
    // Qt reads _NET_WORKAREA only while there is one screen: with two, it would offer a window
    // the panels too. The desktop's rectangle spans all the screens; each takes its own part.
    const std::optional<QRect> desktop =
        desktopWorkArea() ? std::optional<QRect>(desktopWorkArea()()) : X11WorkArea();
    const QRect geometry = screen->geometry();
    const qreal scale = screen->devicePixelRatio();
    const QRect free =
        QRect(geometry.topLeft(), geometry.size() * scale) & desktop.value_or(QRect());
    if (free.isEmpty())
        return screen->availableGeometry();
    const QPoint origin = geometry.topLeft();
    return {origin + (free.topLeft() - origin) / scale, free.size() / scale};
}

void SetMoveStarter(MoveStarter starter, MoveEnder ender)
{
    moveStarter() = std::move(starter);
    moveEnder() = std::move(ender);
}

void SetDesktopWorkArea(DesktopWorkArea finder)
{
    desktopWorkArea() = std::move(finder);
}

} // namespace WindowSystem
