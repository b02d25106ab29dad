// Returning a tab to a known state: Clear empties its search inputs, Reset
// shows the whole main table from its first row without key words, OpenAll
// shows the whole main table at the row that was current, key words kept.
#pragma once

void JyobunClear(int i);
void JyobunReset(int i);
void JyobunOpenAll(int i);

void BooksClear(int b);
void BooksReset(int b);
void BooksOpenAll(int b);
