#include "data/houjin_db.h"

#include "data/namepas.h"
#include "platform/app/application.h"
#include "platform/db/source_link.h"
#include "platform/db/table_writer.h"
#include "platform/ui/db_grid.h"
#include "reader/contents_tree.h"
#include "reader/honbun_rtf_make.h"

THoujin::THoujin(QObject* owner) : QObject(owner)
{
    // The module is reachable while its creation handler runs, as the
    // handlers it fires expect.
    HoujinDb = this;

    HSubTable.AfterScroll = [this](db::Dataset& ds) { HMainTableAfterScroll(ds); };
    SSubTable.AfterScroll = [this](db::Dataset& ds) { SSubTableAfterScroll(ds); };
    GSubTable.AfterScroll = [this](db::Dataset& ds) { GSubTableAfterScroll(ds); };
    TSubTable.AfterScroll = [this](db::Dataset& ds) { TSubTableAfterScroll(ds); };
    ZSubTable.AfterScroll = [this](db::Dataset& ds) { ZSubTableAfterScroll(ds); };
    MSubTable.AfterScroll = [this](db::Dataset& ds) { MSubTableAfterScroll(ds); };

    for (int i = 0; i < JyobunTabCount; ++i) {
        const TabSet set = tabSet(i);
        set.source->SetDataSet(set.main);
        set.sub->SetIndexFieldNames("Gyo");
        set.sub->SetMasterSource(set.source);
        set.sub->SetMasterFields("Gyo");
        // A link is a run of rows in Sel order, whatever the file's indexes.
        set.link->SetIndexFieldNames("Gyo;Sel");
        set.main->SetFieldDefs(db::layout::lawMain().columns);
        set.main2->SetFieldDefs(db::layout::lawMain().columns);
        set.sub->SetFieldDefs(db::layout::lawText().columns);
        set.link->SetFieldDefs(db::layout::lawLink().columns);
        set.tree->SetFieldDefs(db::layout::lawTree().columns);
    }

    // Every statement on a pool member yields Gyo and KubunNo in this order;
    // the lookups give a result the main table's grid columns.
    for (db::Query* q : {&JyobunSQL0, &JyobunSQL1, &JyobunSQL2, &JyobunSQL3, &JyobunSQL4,
                         &JyobunSQL5, &JyobunSQL6, &JyobunSQL7, &JyobunSQL8, &JyobunSQL9,
                         &JyobunSQL10, &JyobunSQL11, &JyobunSQL12, &JyobunSQL13, &JyobunSQL14}) {
        q->AddDataField("Gyo", db::FieldType::Integer);
        q->AddDataField("KubunNo", db::FieldType::Integer);
        q->AddLookupField("Kubun", db::FieldType::Text, "Gyo", "Gyo", "Kubun");
        q->AddLookupField("Bangou", db::FieldType::Text, "Gyo", "Gyo", "Bangou");
        q->AddLookupField("Title", db::FieldType::Text, "Gyo", "Gyo", "Title");
    }

    platform::RunGuarded([this] { HoujinCreate(); });
}

THoujin::~THoujin()
{
    // The views the handlers write to may be gone already.
    for (int i = 0; i < JyobunTabCount; ++i) {
        const TabSet set = tabSet(i);
        gridScroll_[i].reset();
        set.sub->AfterScroll = nullptr;
        set.sub->Close(); // not read again, whole, without its master
        set.sub->SetMasterSource(nullptr);
    }
    if (HoujinDb == this)
        HoujinDb = nullptr;
}

THoujin::TabSet THoujin::tabSet(int i)
{
    switch (i) {
    case Houjin:
        return {&HMainTable, &HMainTable2, &HMainSource, &HSubTable, &HLinkTable, &HTreeTable};
    case Syohi:
        return {&SMainTable, &SMainTable2, &SMainSource, &SSubTable, &SLinkTable, &STreeTable};
    case Gen:
        return {&GMainTable, &GMainTable2, &GMainSource, &GSubTable, &GLinkTable, &GTreeTable};
    case Toku:
        return {&TMainTable, &TMainTable2, &TMainSource, &TSubTable, &TLinKTable, &TTreeTable};
    case Zoku:
        return {&ZMainTable, &ZMainTable2, &ZMainSource, &ZSubTable, &ZLinkTable, &ZTreeTable};
    default:
        return {&MMainTable, &MMainTable2, &MMainSource, &MSubTable, &MLinkTable, &MTreeTable};
    }
}

void THoujin::HoujinCreate()
{
    JyobunTablesSet();
}

void THoujin::JyobunTablesSet()
{
    for (int i = 0; i < JyobunTabCount; ++i) {
        if (JyobunTabHidden[i] != 0)
            continue;
        const TabSet set = tabSet(i);
        JyobunMainTable[i] = set.main;
        JyobunMainTable2[i] = set.main2;
        JyobunLinkTable[i] = set.link;
        JyobunSubTable[i] = set.sub;
        JyobunMainSource[i] = set.source;
        JyobunTreeTable[i] = set.tree;
        if (JyobunDBGrid[i])
            JyobunDBGrid[i]->SetDataSource(set.source);
    }
    JyobunSQL = {&JyobunSQL0, &JyobunSQL1, &JyobunSQL2, &JyobunSQL3, &JyobunSQL4,
                 &JyobunSQL5, &JyobunSQL6, &JyobunSQL7, &JyobunSQL8, &JyobunSQL9,
                 &JyobunSQL10, &JyobunSQL11, &JyobunSQL12, &JyobunSQL13, &JyobunSQL14};

    // The text table opens last: its after-scroll reads the tab's other tables.
    for (int i = 0; i < JyobunTabCount; ++i) {
        if (JyobunTabHidden[i] != 0)
            continue;
        JyobunLinkTable[i]->SetTableName(JyobunLinkTableName[i]);
        JyobunSubTable[i]->SetTableName(JyobunSubTableName[i]);
        JyobunMainTable2[i]->SetTableName(JyobunMainTableName[i]);
        JyobunMainTable[i]->SetTableName(JyobunMainTableName[i]);
        JyobunTreeTable[i]->SetTableName(JyobunTreeTableName[i]);
        // Read by the reference searches only, which compare its MainGyo.
        db::Query::DeclareColumns(JyobunTable3Name[i], db::layout::lawReference().columns);
        JyobunTreeTable[i]->Open();
        JyobunMainTable2[i]->Open();
        JyobunMainTable[i]->Open();
        JyobunLinkTable[i]->Open();
        gridScroll_[i] = std::make_unique<db::SourceBinding>([i] { JyobunGridScroll(i); },
                                                             [i] { JyobunGridScroll(i); });
        gridScroll_[i]->Bind(JyobunMainSource[i]);
        JyobunSubTable[i]->Open();
    }
}

void THoujin::HMainTableAfterScroll(db::Dataset&)
{
    JyobunAfterScroll(Houjin);
}

void THoujin::SSubTableAfterScroll(db::Dataset&)
{
    JyobunAfterScroll(Syohi);
}

void THoujin::GSubTableAfterScroll(db::Dataset&)
{
    JyobunAfterScroll(Gen);
}

void THoujin::TSubTableAfterScroll(db::Dataset&)
{
    JyobunAfterScroll(Toku);
}

void THoujin::ZSubTableAfterScroll(db::Dataset&)
{
    JyobunAfterScroll(Zoku);
}

void THoujin::MSubTableAfterScroll(db::Dataset&)
{
    JyobunAfterScroll(Min);
}

void JyobunAfterScroll(int i)
{
    if (MemoLinkMode == 0 && TreeBusy[i] == 0)
        MokujiTreeSync(i);
    if (LinkBusy == 0)
        HonbunRtfMake(i);
}

void JyobunGridScroll(int i)
{
    if (JyobunSubTable[i]->Active() || LinkBusy != 0)
        return;
    if (MemoLinkMode == 0 && TreeBusy[i] == 0)
        MokujiTreeSync(i);
    HonbunTextReopen(i);
}

db::Query* JyobunSQLNext(int i)
{
    const auto onShow = [](const db::Query* q) {
        for (int t = 0; t < JyobunTabCount; ++t)
            if (JyobunTabHidden[t] == 0 && JyobunMainSource[t] && JyobunMainSource[t]->DataSet() == q)
                return true;
        return false;
    };
    do
        JyobunSQLNo = JyobunSQLNo >= JyobunSQLCount - 1 ? 0 : JyobunSQLNo + 1;
    while (onShow(JyobunSQL[JyobunSQLNo]));
    db::Query* q = JyobunSQL[JyobunSQLNo];
    q->Close();
    for (int f = 2; f <= 4; ++f)
        q->Fields(f).SetLookupDataSet(JyobunMainTable[i]);
    return q;
}
