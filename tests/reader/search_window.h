// The reader's main window with both data modules over the bundled sample
// data (消費税, 会社法民法, 消費目次), and 法人税 presented through its presence
// flag over a small fixture set whose A2.db carries the index-kanji columns.
#pragma once

#include "app/kidou.h"
#include "app/mainpas.h"
#include "app/startup.h"
#include "data/hbooks_db.h"
#include "data/houjin_db.h"
#include "data/namepas.h"
#include "platform/app/application.h"
#include "platform/db/dataset.h"
#include "platform/db/table_writer.h"
#include "platform/text/sjis.h"
#include "platform/ui/edit.h"
#include "platform/ui/page_control.h"
#include "reader/kensaku.h"
#include "support/fake_system.h"
#include "support/sample_data.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Every reading of the tick count is 16 ms after the one before.
class SteppingClock : public FakeSystem {
public:
    std::int64_t TickCount() override { return tickCount += 16; }
};

struct HoujinArticle {
    int gyo;
    int kubunNo;
    const char* bangou;
    const char* honbun;
    bool flagsOff = false; // the index-kanji flags left at 0
};

// The fixture articles of 法人税 (tab 0).
inline const std::vector<HoujinArticle>& HoujinArticles()
{
    static const std::vector<HoujinArticle> articles = {
        {10, 10, "１条", "第１条　この法律は、法人税について定める。"},
        {20, 10, "２条", "第２条　役員の給与は、損金の額に算入しない。"},
        {30, 10, "３条", "第３条　会社役員の賞与及び慶弔金の取扱いは、政令で定める。"},
        {40, 40, "９－２－１", "９－２－１　役員の範囲には、いわゆる'みなし役員'を含む。"},
        {50, 710, "６１条の４",
         "第６１条の４　交際費等の額は、損金の額に算入しない。ただし、役員の給与を除く。"},
        {60, 710, "４２条", "第４２条　＊－　条の表示（＊は注記）"},
        // Only the index-kanji line keeps this one out of a search for 役員.
        {70, 10, "７０条", "第７０条　役員賞与の扱い。", true},
        {80, 820, "震災令１条", "第１条　被災した法人の金銭の扱い。"},
    };
    return articles;
}

class SearchWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dataDir_ = new TempDir(TempDir::Use::Aside);
        CopySampleData(dataDir_->Path());
        WriteHoujinTables(dataDir_->Path());
    }
    static void TearDownTestSuite()
    {
        delete dataDir_;
        dataDir_ = nullptr;
    }

    void SetUp() override
    {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(dataDir_->Path());
        NamepasReset();
        reader_ = std::make_unique<ReaderSession>("Ronvetta", [] {
            PresenceFlagsSet();
            JyobunTabHidden[Houjin] = 0;
        });
        main_ = &reader_->MainForm();
        main_->show();
    }
    void TearDown() override
    {
        reader_.reset();
        NamepasReset();
        std::filesystem::current_path(previous_);
    }

    void Activate(ui::TabSheet* sheet) { main_->MainPageControl->SetActivePage(sheet); }

    void LawSearch(int i, const std::string& key1, const std::string& key2 = {})
    {
        Activate(JyobunTabSheet[i]);
        JyobunEditKey1[i]->SetText(key1);
        JyobunEditKey2[i]->SetText(key2);
        JyobunKensaku(i);
    }
    void BookSearch(int b, const std::string& key1, const std::string& key2 = {})
    {
        Activate(BooksTabSheet[b]);
        BooksEditKey1[b]->SetText(key1);
        BooksEditKey2[b]->SetText(key2);
        BooksKensaku(b);
    }

    // The key field of every row the dataset shows, in its order.
    static std::vector<std::int64_t> Keys(db::Dataset* ds, const char* field)
    {
        std::vector<std::int64_t> keys;
        if (!ds || !ds->Active())
            return keys;
        const int f = ds->FieldByName(field).Index();
        for (int row = 0; row < ds->RecordCount(); ++row)
            keys.push_back(std::get<std::int64_t>(ds->ValueAt(row, f)));
        return keys;
    }
    static std::vector<std::int64_t> GridGyo(int i) { return Keys(JyobunMainSource[i]->DataSet(), "Gyo"); }
    static std::vector<std::int64_t> GridBookSeq(int b)
    {
        return Keys(BooksMainSource[b]->DataSet(), "BookSeq");
    }

    // The rows of a table file, read in key order, that satisfy `keep`.
    static std::vector<std::int64_t> Scan(const std::string& file, const char* key, const char* codeField,
                                          const char* textField,
                                          const std::function<bool(std::int64_t, const std::string&)>& keep)
    {
        db::Table t;
        t.SetTableName(file);
        t.SetIndexFieldNames(key);
        t.Open();
        std::vector<std::int64_t> keys;
        for (t.First(); !t.Eof(); t.Next())
            if (keep(t.FieldByName(codeField).AsInteger(), t.FieldByName(textField).AsString()))
                keys.push_back(t.FieldByName(key).AsInteger());
        return keys;
    }

    // The last statement a search opened, line by line.
    static db::StringList LastLawStatement() { return JyobunSQL[JyobunSQLNo]->SQL(); }
    static db::StringList LastBookStatement() { return BooksSQL[BooksSQLNo]->SQL(); }

    SteppingClock system_;
    ScriptedPrompts prompts_;
    std::unique_ptr<ReaderSession> reader_;
    TMain* main_ = nullptr;

private:
    static void WriteHoujinTables(const std::string& dir)
    {
        db::TableWriter main("A1.db", db::layout::lawMain(), dir);
        db::TableDef textDef = db::layout::lawText();
        for (int k = 0; k < 51; ++k)
            textDef.columns.push_back({"KEY" + std::to_string(k), db::FieldType::Integer});
        db::TableWriter text("A2.db", textDef, dir);
        db::TableWriter tree("A5.db", db::layout::lawTree(), dir);
        IndexKanjiSet();
        std::string treeText = "法人税法\r\n"_sj;
        int node = 1;
        for (const HoujinArticle& a : HoujinArticles()) {
            const std::string honbun = sjis::fromUtf8(a.honbun);
            const std::string kubun = a.kubunNo == 10    ? "法法"_sj
                                      : a.kubunNo == 40  ? "法基通"_sj
                                      : a.kubunNo == 710 ? "措法"_sj
                                                         : "震災令"_sj;
            main.insert({a.gyo, a.kubunNo, kubun, sjis::fromUtf8(a.bangou), sjis::fromUtf8(a.bangou)});
            std::vector<db::Value> row(3 + IndexKanji.size(), std::int64_t{0});
            row[0] = std::int64_t{a.gyo};
            row[1] = std::int64_t{a.kubunNo};
            row[2] = honbun;
            for (std::size_t k = 0; k < IndexKanji.size(); ++k)
                if (!a.flagsOff && sjis::contains(honbun, IndexKanji[k]))
                    row[3 + k] = std::int64_t{1};
            text.insert(row);
            tree.insert({node++, a.gyo});
            treeText += "\t" + sjis::fromUtf8(a.bangou) + "\r\n";
        }
        main.commit();
        text.commit();
        tree.commit();
        db::TableWriter("A3.db", db::layout::lawReference(), dir).commit();
        db::TableWriter("A4.db", db::layout::lawLink(), dir).commit();
        std::ofstream(std::filesystem::path(dir) / "A6.dl_", std::ios::binary) << treeText;
    }

    static inline TempDir* dataDir_ = nullptr;
    std::filesystem::path previous_;
};
