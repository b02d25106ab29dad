// The article view of a law tab: builds the rich text of the tab's current
// article and delivers it by mode.
#pragma once

// Display mode (MemoLinkMode = 0): the document, coloured with the tab's key
// words, goes into JyobunRichEdit[i] and JyobunRtfCache[i]. Memo mode
// (MemoLinkMode = 1): the document of the current row of JyobunSubTable[i],
// without key words, goes into MemoRtfStream only.
void HonbunRtfMake(int i);
