// Moving the main window to an article: a memo's own article (its home
// button) or the target of a link followed from the memo.
#pragma once

#include <cstdint>

class TMemoWindow;

// History saved, law tab z made active, cleared and reset, and the article
// Gyo = `gyo` located in its main table ("該当の条文はありません" when absent).
void MemoMainJump(int z, std::int64_t gyo);

// The main window to the memo's article, then the memo minimised; nothing
// when the memo's tab is absent.
void MemoHomeMove(TMemoWindow& memo);
