// Whether a control lets the input method compose text in it (ImeMode of the
// class library). Closed: keys reach the control as typed; the desktop's
// input method is told the control takes no composed text. Open (the
// default): the input method composes; whether it starts in kana or in
// direct input is the input method's own state, which no toolkit call sets.
#pragma once

namespace ui {

enum class ImeMode { Open, Close };

} // namespace ui
