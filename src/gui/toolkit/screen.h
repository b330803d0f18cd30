// The screen size, read in one place so that tests can give any height.
#pragma once

#include <QRect>
#include <QSize>

namespace lumaro {

// The primary screen's size, or the size a test (or LUMARO_SCREEN_SIZE="WxH") asked for.
QSize ScreenSize();
// The part of the real screen a window may take (without panels), or an invalid rectangle while
// a test or LUMARO_SCREEN_SIZE pretends a screen: the pretended one bounds nothing.
QRect AvailableScreenArea();
// Tests: pretend the screen has this size; an invalid size goes back to the real screen.
void SetScreenSizeOverride(const QSize& size);

}  // namespace lumaro
