// The book data module: every table of the book tabs, the main data source
// per tab and the ten search-result queries.
#pragma once

#include "data/namepas.h"
#include "platform/db/dataset.h"

#include <QObject>

#include <memory>

namespace db {
class SourceBinding;
}

// The next free search-result query after BooksSQLNo (skipping those shown
// in a book tab's grid), closed, its lookups reading BooksMainTable[b].
db::Query* BooksSQLNext(int b);

// The grid of book tab b moved or switched while a failed read had left its
// entry table closed (an open one follows by itself): the view shows no
// entry, and the table is opened again, which shows the row's entry or says
// why it cannot be read.
void BooksGridScroll(int b);

class THbooks : public QObject {
public:
    explicit THbooks(QObject* owner = nullptr);
    ~THbooks() override;

    // Creation handler: a table that cannot be opened ends it, and its error
    // goes to the default error box.
    void HbooksCreate();
    // Fills the book dataset arrays, binds the present tabs' grids and opens
    // their tables. Throws the database layer's error at the first table that
    // fails; the tables opened before it stay open.
    void BooksTablesSet();

    void HbMainTableAfterScroll(db::Dataset&);
    void SbSubTableAfterScroll(db::Dataset&);
    void TbSubTableAfterScroll(db::Dataset&);

    // Hbooks
    db::Table HbMainTable{"HbMainTable"};
    db::DataSource HbMainSource{"HbMainSource"};
    db::Table HbSubTable{"HbSubTable"};
    db::Table HbNameTable{"HbNameTable"};
    db::Table HbJumpTable{"HbJumpTable"};
    db::Table HbUrlTable{"HbUrlTable"};
    // Sbooks
    db::Table SbMainTable{"SbMainTable"};
    db::DataSource SbMainSource{"SbMainSource"};
    db::Table SbSubTable{"SbSubTable"};
    db::Table SbNameTable{"SbNameTable"};
    db::Table SbJumpTable{"SbJumpTable"};
    db::Table SbUrlTable{"SbUrlTable"};
    // Tbooks
    db::Table TbMainTable{"TbMainTable"};
    db::DataSource TbMainSource{"TbMainSource"};
    db::Table TbSubTable{"TbSubTable"};
    db::Table TbNameTable{"TbNameTable"};
    db::Table TbJumpTable{"TbJumpTable"};
    db::Table TbUrlTable{"TbUrlTable"};

    // The search-result pool.
    db::Query BooksSQL0{"BooksSQL0"};
    db::Query BooksSQL1{"BooksSQL1"};
    db::Query BooksSQL2{"BooksSQL2"};
    db::Query BooksSQL3{"BooksSQL3"};
    db::Query BooksSQL4{"BooksSQL4"};
    db::Query BooksSQL5{"BooksSQL5"};
    db::Query BooksSQL6{"BooksSQL6"};
    db::Query BooksSQL7{"BooksSQL7"};
    db::Query BooksSQL8{"BooksSQL8"};
    db::Query BooksSQL9{"BooksSQL9"};

private:
    // Per tab: told of its grid's moves.
    BooksArray<std::unique_ptr<db::SourceBinding>> gridScroll_;

    struct TabSet {
        db::Table* main;
        db::DataSource* source;
        db::Table* sub;
        db::Table* name;
        db::Table* jump;
        db::Table* url;
    };
    TabSet tabSet(int b);
};
