#include "data/hbooks_db.h"

#include "data/namepas.h"
#include "platform/app/application.h"
#include "platform/db/source_link.h"
#include "platform/db/table_writer.h"
#include "platform/richedit/rich_edit.h"
#include "platform/ui/db_grid.h"
#include "reader/book_entry.h"

THbooks::THbooks(QObject* owner) : QObject(owner)
{
    // The module is reachable while its creation handler runs, as the
    // handlers it fires expect.
    HbooksDb = this;

    HbSubTable.AfterScroll = [this](db::Dataset& ds) { HbMainTableAfterScroll(ds); };
    SbSubTable.AfterScroll = [this](db::Dataset& ds) { SbSubTableAfterScroll(ds); };
    TbSubTable.AfterScroll = [this](db::Dataset& ds) { TbSubTableAfterScroll(ds); };

    for (int b = 0; b < BooksTabCount; ++b) {
        const TabSet set = tabSet(b);
        set.source->SetDataSet(set.main);
        set.sub->SetIndexFieldNames("BookSeq");
        set.sub->SetMasterSource(set.source);
        set.sub->SetMasterFields("BookSeq");
        set.main->SetFieldDefs(db::layout::bookMain().columns);
        set.sub->SetFieldDefs(db::layout::bookMain().columns);
        set.name->SetFieldDefs(db::layout::bookName().columns);
        set.jump->SetFieldDefs(db::layout::bookJump().columns);
        set.url->SetFieldDefs(db::layout::bookUrl().columns);
    }

    // Every statement on a pool member yields BookSeq, BookNo and BookRenban
    // in this order; the lookups give a result the main table's grid columns.
    for (db::Query* q : {&BooksSQL0, &BooksSQL1, &BooksSQL2, &BooksSQL3, &BooksSQL4, &BooksSQL5,
                         &BooksSQL6, &BooksSQL7, &BooksSQL8, &BooksSQL9}) {
        q->AddDataField("BookSeq", db::FieldType::Integer);
        q->AddDataField("BookNo", db::FieldType::Integer);
        q->AddDataField("BookRenban", db::FieldType::Integer);
        q->AddLookupField("BookNameShort", db::FieldType::Text, "BookSeq", "BookSeq", "BookNameShort");
        q->AddLookupField("Gou", db::FieldType::Text, "BookSeq", "BookSeq", "Gou");
        q->AddLookupField("Mokuji", db::FieldType::Text, "BookSeq", "BookSeq", "Mokuji");
        q->AddLookupField("BookPage", db::FieldType::Float, "BookSeq", "BookSeq", "BookPage");
    }

    platform::RunGuarded([this] { HbooksCreate(); });
}

THbooks::~THbooks()
{
    // The views the handlers write to may be gone already.
    for (int b = 0; b < BooksTabCount; ++b) {
        const TabSet set = tabSet(b);
        gridScroll_[b].reset();
        set.sub->AfterScroll = nullptr;
        set.sub->Close(); // not read again, whole, without its master
        set.sub->SetMasterSource(nullptr);
    }
    if (HbooksDb == this)
        HbooksDb = nullptr;
}

THbooks::TabSet THbooks::tabSet(int b)
{
    switch (b) {
    case Hbooks:
        return {&HbMainTable, &HbMainSource, &HbSubTable, &HbNameTable, &HbJumpTable, &HbUrlTable};
    case Sbooks:
        return {&SbMainTable, &SbMainSource, &SbSubTable, &SbNameTable, &SbJumpTable, &SbUrlTable};
    default:
        return {&TbMainTable, &TbMainSource, &TbSubTable, &TbNameTable, &TbJumpTable, &TbUrlTable};
    }
}

void THbooks::HbooksCreate()
{
    BooksTablesSet();
}

void THbooks::BooksTablesSet()
{
    for (int b = 0; b < BooksTabCount; ++b) {
        if (BooksTabHidden[b] != 0)
            continue;
        const TabSet set = tabSet(b);
        BooksMainTable[b] = set.main;
        BooksMainSource[b] = set.source;
        BooksSubTable[b] = set.sub;
        BooksNameTable[b] = set.name;
        BooksJumpTable[b] = set.jump;
        BooksUrlTable[b] = set.url;
        if (BooksDBGrid[b])
            BooksDBGrid[b]->SetDataSource(set.source);
    }
    BooksSQL = {&BooksSQL0, &BooksSQL1, &BooksSQL2, &BooksSQL3, &BooksSQL4,
                &BooksSQL5, &BooksSQL6, &BooksSQL7, &BooksSQL8, &BooksSQL9};

    // The text table opens last: its after-scroll reads the book names.
    for (int b = 0; b < BooksTabCount; ++b) {
        if (BooksTabHidden[b] != 0)
            continue;
        BooksNameTable[b]->SetTableName(BooksNameTableName[b]);
        BooksSubTable[b]->SetTableName(BooksSubTableName[b]);
        BooksJumpTable[b]->SetTableName(BooksJumpTableName[b]);
        BooksUrlTable[b]->SetTableName(BooksUrlTableName[b]);
        BooksMainTable[b]->SetTableName(BooksMainTableName[b]);
        BooksMainTable[b]->Open();
        BooksNameTable[b]->Open();
        BooksJumpTable[b]->Open();
        BooksUrlTable[b]->Open();
        gridScroll_[b] = std::make_unique<db::SourceBinding>([b] { BooksGridScroll(b); },
                                                             [b] { BooksGridScroll(b); });
        gridScroll_[b]->Bind(BooksMainSource[b]);
        BooksSubTable[b]->Open();
    }
}

void BooksGridScroll(int b)
{
    db::Table& entry = *BooksSubTable[b];
    if (entry.Active())
        return;
    BooksRichEdit[b]->Clear();
    entry.Open();
}

void THbooks::HbMainTableAfterScroll(db::Dataset&)
{
    BooksHonbunShow(Hbooks);
}

void THbooks::SbSubTableAfterScroll(db::Dataset&)
{
    BooksHonbunShow(Sbooks);
}

void THbooks::TbSubTableAfterScroll(db::Dataset&)
{
    BooksHonbunShow(Tbooks);
}

db::Query* BooksSQLNext(int b)
{
    const auto onShow = [](const db::Query* q) {
        for (int t = 0; t < BooksTabCount; ++t)
            if (BooksTabHidden[t] == 0 && BooksMainSource[t] && BooksMainSource[t]->DataSet() == q)
                return true;
        return false;
    };
    do
        BooksSQLNo = BooksSQLNo >= BooksSQLCount - 1 ? 0 : BooksSQLNo + 1;
    while (onShow(BooksSQL[BooksSQLNo]));
    db::Query* q = BooksSQL[BooksSQLNo];
    q->Close();
    for (int f = 3; f <= 6; ++f)
        q->Fields(f).SetLookupDataSet(BooksMainTable[b]);
    return q;
}
