// Whether a control lets the input method compose text in it (ImeMode of the
// class library). Closed: keys reach the control as typed, the input method
// is not asked. Open: the input method composes; whether it starts in kana or
// direct mode is the input method's own state on this desktop.
#pragma once

namespace ui {

enum class ImeMode { Open, Close };

} // namespace ui
