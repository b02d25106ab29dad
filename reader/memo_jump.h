// Moving the main window to a memo's own article (its home button).
#pragma once

class TMemoWindow;

// The main window to the memo's article, then the memo minimised; nothing
// when the memo's tab is absent.
void MemoHomeMove(TMemoWindow& memo);
