// Every dialog and message box of the program is run modally through here.
// Memo windows and the link editor stay on top of other windows; a modal
// window stacked below one of them would block the whole program unseen.
#pragma once

class QDialog;

namespace platform {

// Runs `dialog` modally over the active window, above the program's
// stay-on-top windows, and returns its result.
int RunModal(QDialog& dialog);

} // namespace platform
