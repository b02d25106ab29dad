// A book tab's jumps: to a printed page number, and from a contents entry to
// the law article or web page it refers to.
#pragma once

// Locates the page typed in BooksEditPage[b]; from a search result the
// grid goes back to the main table under the selected scope.
void BooksPageJump(int b);
// Follows the grid's current entry of book tab b: to its law article (the
// history saved first) or, without one, to its web address.
void BooksKanrenOpen(int b);
// The page edits take digits and the decimal point only: true when `key`
// passes (Backspace and Escape included); Enter is the form's business.
bool BooksPageKeyAllowed(char key);
