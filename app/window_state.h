// The window-state file "C3.dl_": one line, "1" when the main window was
// maximised when it was closed, else "0".
#pragma once

// True when the file's first line is exactly "1". An absent or unreadable
// file counts as "0".
bool WindowStateMaximised();
// Writes the file; a failure is reported and the close goes on.
void WindowStateSave(bool maximised);
