#include "tests/e2e/X11.h"

#include <xcb/screensaver.h>
#include <xcb/xfixes.h>
#include <xcb/xtest.h>

#include <algorithm>

namespace {

xcb_window_t Root()
{
    return xcb_setup_roots_iterator(xcb_get_setup(XConnection())).data->root;
}

}  // namespace

XScreenSaverState XScreenSaver()
{
    const auto info = Own(xcb_screensaver_query_info_reply(
        XConnection(), xcb_screensaver_query_info(XConnection(), Root()), nullptr));
    if (!info)
        return {false, 0};
    return {info->state == XCB_SCREENSAVER_STATE_ON, info->ms_since_user_input};
}

void SetXScreenSaverTimeout(int seconds)
{
    xcb_set_screen_saver(XConnection(), static_cast<std::int16_t>(seconds),
        static_cast<std::int16_t>(seconds), XCB_BLANKING_PREFERRED, XCB_EXPOSURES_DEFAULT);
    xcb_flush(XConnection());
}

bool PointerShown()
{
    xcb_connection_t* connection = XConnection();
    // XFixes answers a client only once it has said which version it speaks.
    Own(xcb_xfixes_query_version_reply(connection, xcb_xfixes_query_version(connection, 4, 0), nullptr));
    const auto image = Own(
        xcb_xfixes_get_cursor_image_reply(connection, xcb_xfixes_get_cursor_image(connection), nullptr));
    if (!image)
        return false;
    const std::uint32_t* pixels = xcb_xfixes_get_cursor_image_cursor_image(image.get());
    return std::any_of(pixels, pixels + xcb_xfixes_get_cursor_image_cursor_image_length(image.get()),
        [](std::uint32_t argb) { return (argb >> 24) != 0; });
}

void DoubleClickHere()
{
    xcb_connection_t* connection = XConnection();
    for (int click = 0; click < 2; ++click)
        for (const std::uint8_t type : {XCB_BUTTON_PRESS, XCB_BUTTON_RELEASE})
            xcb_test_fake_input(connection, type, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    // Answered once the server has taken the four.
    Own(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}
