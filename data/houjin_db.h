// The law data module: every table of the law tabs, the main data source per
// tab and the fifteen search-result queries.
#pragma once

#include "data/namepas.h"
#include "platform/db/dataset.h"

#include <QObject>

#include <memory>

namespace db {
class SourceBinding;
}

// The next free search-result query after JyobunSQLNo (skipping those shown
// in a law tab's grid), closed, its lookups reading JyobunMainTable[i].
db::Query* JyobunSQLNext(int i);

// The text table of law tab i reached a new row: the contents tree follows,
// then the article is rebuilt (each unless its guard is set).
void JyobunAfterScroll(int i);

// The grid of law tab i moved or switched while a failed read had left its
// text table closed (a text table that is open follows by itself): the tree
// follows the row, and the text table is opened again (HonbunTextReopen).
void JyobunGridScroll(int i);

class THoujin : public QObject {
public:
    explicit THoujin(QObject* owner = nullptr);
    ~THoujin() override;

    // Creation handler: a table that cannot be opened ends it, and its error
    // goes to the default error box.
    void HoujinCreate();
    // Fills the law dataset arrays, binds the present tabs' grids and opens
    // their tables. Throws the database layer's error at the first table that
    // fails; the tables opened before it stay open.
    void JyobunTablesSet();

    void HMainTableAfterScroll(db::Dataset&);
    void SSubTableAfterScroll(db::Dataset&);
    void GSubTableAfterScroll(db::Dataset&);
    void TSubTableAfterScroll(db::Dataset&);
    void ZSubTableAfterScroll(db::Dataset&);
    void MSubTableAfterScroll(db::Dataset&);

    // Houjin
    db::Table HMainTable{"HMainTable"};
    db::Table HMainTable2{"HMainTable2"};
    db::DataSource HMainSource{"HMainSource"};
    db::Table HSubTable{"HSubTable"};
    db::Table HLinkTable{"HLinkTable"};
    db::Table HTreeTable{"HTreeTable"};
    // Syohi
    db::Table SMainTable{"SMainTable"};
    db::Table SMainTable2{"SMainTable2"};
    db::DataSource SMainSource{"SMainSource"};
    db::Table SSubTable{"SSubTable"};
    db::Table SLinkTable{"SLinkTable"};
    db::Table STreeTable{"STreeTable"};
    // Gen
    db::Table GMainTable{"GMainTable"};
    db::Table GMainTable2{"GMainTable2"};
    db::DataSource GMainSource{"GMainSource"};
    db::Table GSubTable{"GSubTable"};
    db::Table GLinkTable{"GLinkTable"};
    db::Table GTreeTable{"GTreeTable"};
    // Toku
    db::Table TMainTable{"TMainTable"};
    db::Table TMainTable2{"TMainTable2"};
    db::DataSource TMainSource{"TMainSource"};
    db::Table TSubTable{"TSubTable"};
    db::Table TLinKTable{"TLinKTable"};
    db::Table TTreeTable{"TTreeTable"};
    // Zoku
    db::Table ZMainTable{"ZMainTable"};
    db::Table ZMainTable2{"ZMainTable2"};
    db::DataSource ZMainSource{"ZMainSource"};
    db::Table ZSubTable{"ZSubTable"};
    db::Table ZLinkTable{"ZLinkTable"};
    db::Table ZTreeTable{"ZTreeTable"};
    // Min
    db::Table MMainTable{"MMainTable"};
    db::Table MMainTable2{"MMainTable2"};
    db::DataSource MMainSource{"MMainSource"};
    db::Table MSubTable{"MSubTable"};
    db::Table MLinkTable{"MLinkTable"};
    db::Table MTreeTable{"MTreeTable"};

    // The search-result pool.
    db::Query JyobunSQL0{"JyobunSQL0"};
    db::Query JyobunSQL1{"JyobunSQL1"};
    db::Query JyobunSQL2{"JyobunSQL2"};
    db::Query JyobunSQL3{"JyobunSQL3"};
    db::Query JyobunSQL4{"JyobunSQL4"};
    db::Query JyobunSQL5{"JyobunSQL5"};
    db::Query JyobunSQL6{"JyobunSQL6"};
    db::Query JyobunSQL7{"JyobunSQL7"};
    db::Query JyobunSQL8{"JyobunSQL8"};
    db::Query JyobunSQL9{"JyobunSQL9"};
    db::Query JyobunSQL10{"JyobunSQL10"};
    db::Query JyobunSQL11{"JyobunSQL11"};
    db::Query JyobunSQL12{"JyobunSQL12"};
    db::Query JyobunSQL13{"JyobunSQL13"};
    db::Query JyobunSQL14{"JyobunSQL14"};

private:
    // Per tab: told of its grid's moves.
    JyobunArray<std::unique_ptr<db::SourceBinding>> gridScroll_;

    struct TabSet {
        db::Table* main;
        db::Table* main2;
        db::DataSource* source;
        db::Table* sub;
        db::Table* link;
        db::Table* tree;
    };
    TabSet tabSet(int i);
};
