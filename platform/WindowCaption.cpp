#include "platform/WindowCaption.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

namespace platform {

namespace {

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    const xcb_intern_atom_cookie_t cookie
        = xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(qstrlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t { XCB_ATOM_NONE };
    free(reply);
    return result;
}

// Both names a window manager may read, the newer one in UTF-8 and the older one, set empty.
void clearX11Title(xcb_connection_t* connection, xcb_window_t window)
{
    static const xcb_atom_t netWmName = atom(connection, "_NET_WM_NAME");
    static const xcb_atom_t utf8String = atom(connection, "UTF8_STRING");
    if (netWmName != XCB_ATOM_NONE && utf8String != XCB_ATOM_NONE)
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, netWmName, utf8String, 8, 0, nullptr);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0, nullptr);
    xcb_flush(connection);
}

} // namespace

void setCaption(QWidget* window, const QString& caption)
{
    window->setWindowTitle(caption);
    if (!caption.isEmpty() || !window->testAttribute(Qt::WA_WState_Created))
        return;
    // Qt wrote the application's name in place of the empty title; write the empty one after it.
    if (QGuiApplication::platformName() != u"xcb")
        return;
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>(); x11 && x11->connection())
        clearX11Title(x11->connection(), static_cast<xcb_window_t>(window->winId()));
}

} // namespace platform
