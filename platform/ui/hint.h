// Hints: the text a control shows in the status bar while the mouse is over
// it (the application's hint handler picks it up, see platform/app).
#pragma once

#include <string>
#include <string_view>

class QAction;
class QWidget;

namespace ui {

void SetHint(QWidget& control, std::string_view cp932);
void SetHint(QAction& item, std::string_view cp932);
std::string Hint(const QWidget& control);
std::string Hint(const QAction& item);

} // namespace ui
