// The link editor's article rows: jumps by key and position, the code filter,
// adding a row (with the renumbering that opens a gap), deleting, clearing,
// the revision date, the digit-only edits and the code lookup.
#pragma once

#include <string_view>

class THyperLink;

// Table1 to the row of this ＫＥＹ / 行 (exact); silent when there is none.
void HyperKeyJump(THyperLink& form, std::string_view keyText);
void HyperGyoJump(THyperLink& form, std::string_view gyoText);
// Only the rows of the code whose master label is the combo's text; all rows
// for any other text.
void HyperCodeFilter(THyperLink& form);
// A new row after the current one, in a gap of its 行 (rows that follow are
// renumbered when there is none), with the next ＫＥＹ.
void HyperRowAdd(THyperLink& form);
// Asks, then deletes the current row.
void HyperRowDelete(THyperLink& form);
// Asks, then empties 表題, 条文本文 and 条文内容 of the current row.
void HyperRowClear(THyperLink& form);
// 改正 of the current row := the revision date the 改正日 button shows.
void HyperKaiseiSet(THyperLink& form);
// A key typed into a number edit: anything but digits, Backspace and Escape
// is refused with a message. True for Enter (swallowed), after which the
// revision date of the row becomes the one the button offers.
bool HyperDigitKey(THyperLink& form, char& key);
// 条文区分 from the master row of the typed 条文連番. False (with a message
// and 条文区分 emptied) when the master has no such code; true otherwise, an
// empty 条文連番 included.
bool HyperCodeLookup(THyperLink& form);
