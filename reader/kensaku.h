// The keyword search of the law and book tabs, and the pieces every search
// shares: the normalised key edits, the search timer in the status bar, the
// index-kanji line and the opening of a result query.
#pragma once

#include <string>
#include <string_view>

namespace db {
class Query;
}

// Search law tab i (present) for the words of its key edits within its scope;
// a hit binds the result to the tab's grid.
void JyobunKensaku(int i);
// The same over the contents lines of book tab b.
void BooksKensaku(int b);

// Search timer: "検索中" and the hourglass, shown at once; then "検索終了" and
// the elapsed seconds.
void KensakuStart();
void KensakuEnd();

// Half-width digits become full-width ones.
std::string SuujiZenkaku(std::string_view s);

// Law tab 0: the line of the first index kanji found in SearchWord.
void IndexKanjiSQL();

// Opens `q` on the lines of SqlText, trying three times; SqlText is cleared
// once it is open. The third failure puts back status panel 0 as it was
// before KensakuStart and the default cursor, and raises its error.
void ResultQueryOpen(db::Query& q);
