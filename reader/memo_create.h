// Filling a new memo window: its article, its own copy of the rich text and
// its caption.
#pragma once

class TMemoWindow;

// MemoLinkMode = 0: the article shown on the active law tab, with its
// key-word colours (JyobunRtfCache). MemoLinkMode = 1: the target of the
// current row of JyobunLinkTable[MemoTabNo], built into MemoRtfStream.
void MemoWindowFill(TMemoWindow& memo);
