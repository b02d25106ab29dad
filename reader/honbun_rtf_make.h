// The article view of a law tab: builds the rich text of the tab's current
// article and delivers it by mode.
#pragma once

#include <functional>

// Display mode (MemoLinkMode = 0): the document, coloured with the tab's key
// words, goes into JyobunRichEdit[i] and JyobunRtfCache[i]. Memo mode
// (MemoLinkMode = 1): the document of the current row of JyobunSubTable[i],
// without key words, goes into MemoRtfStream only. A text table that a
// failed read left closed is opened again instead (HonbunTextReopen).
void HonbunRtfMake(int i);

// A text table of tab i that a failed read left closed: the view shows no
// article, and the table is opened again, which builds the row's article or
// says why it cannot be read.
void HonbunTextReopen(int i);

// Runs `change`, which may set the tab's key words. The article is rebuilt
// only when its row moves, so when `change` set other key words and built
// nothing, the article is built here: it always shows the words in force.
void JyobunKeyWordsShow(int i, const std::function<void()>& change);
