// The screen cursor (Screen.Cursor): one value for the whole application,
// shown over every window until it is set back to Default.
#pragma once

namespace ui {

enum class ScreenCursor { Default, HourGlass, HandPoint };

void SetScreenCursor(ScreenCursor cursor);
ScreenCursor CurrentScreenCursor();

} // namespace ui
