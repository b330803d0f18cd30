// The screen size, read in one place so that tests can give any height.
#pragma once

#include <QSize>

namespace lumaro {

// The primary screen's size, or the size a test (or LUMARO_SCREEN_SIZE="WxH") asked for.
QSize ScreenSize();
// Tests: pretend the screen has this size; an invalid size goes back to the real screen.
void SetScreenSizeOverride(const QSize& size);

}  // namespace lumaro
