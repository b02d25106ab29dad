// A memo window's text out of the program: printing and Word.
#pragma once

class TMemoWindow;

// The law print with the memo's own rich text and view.
void MemoPrintOut(TMemoWindow& memo);
// Clipboard := the memo's whole plain text, then the Word export.
void MemoWordExport(TMemoWindow& memo);
