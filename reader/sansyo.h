// The reference search (参照条文検索): the articles that cite the current
// article of a law tab, read from the tab's reverse-reference table (X3)
// and shown in the grid with the cited number and the citing phrase as key
// words. The memo window's own reference search reuses the pieces below.
#pragma once

#include <string>

namespace db {
class Dataset;
class Query;
} // namespace db

// Reference search for the current article of law tab i; SansyoCode must be
// set first (0 from the button, -1/-2 from a link preset to 政令/省令).
void SansyoKensaku(int i);

// The scope line for SansyoHanni and SansyoKubunNo (empty for 全範囲).
std::string SansyoHanniSQL();

// Whether the article that the grid of law tab i names is cited as "第" +
// its number (not a circular, an appendix, a supplementary provision …).
bool JyobunDaiHantei(int i);
// The same test on the current row of JyobunMainTable2[i].
bool JyobunDaiHantei2(int i);

// The cited article's number as the citing articles write it: "第" + Bangou
// when JyobunDaiHantei's test holds for `article`, else Bangou.
std::string SansyoCitedTitle(db::Dataset& article);

// Opens `q` (law tab i's next result query) on the articles of tab i citing
// `mainGyo` within the scope SansyoHanni, at its first row. When none cites
// it, says so ("この条文を参照している条文はありません"), ends the search's
// hourglass (KensakuEnd) and returns false.
bool SansyoResultOpen(int i, int mainGyo, db::Query& q);
// The citing phrase that becomes key word 2 for the scope SansyoHanni on law
// tab i ("政令で定める" …; empty for 全範囲).
std::string SansyoKeyPhrase(int i);
// A found result `q` becomes law tab i's grid dataset, with key word 1 the
// cited title phrase `title` and key word 2 SansyoKeyPhrase(i); the tab's
// search inputs are cleared and show the two words.
void SansyoResultShow(int i, db::Query& q, const std::string& title);
