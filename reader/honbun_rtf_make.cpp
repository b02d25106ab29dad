#include "reader/honbun_rtf_make.h"

#include "data/namepas.h"
#include "platform/richedit/rich_edit.h"
#include "reader/honbun_rtf.h"
#include "reader/scratch_file.h"

#include <cstdint>
#include <exception>

namespace {

// The link rows of one article in the tab's link table, read forward once
// from the article's first row; the table is left where the pass ended.
class LinkTableSpans : public LinkRowSpans {
public:
    LinkTableSpans(db::Table& links, db::Dataset& article) : links_(links), article_(article) {}

protected:
    bool LocateFirstRow() override
    {
        gyo_ = article_.FieldByName("Gyo").AsInteger();
        gyoField_ = &links_.FieldByName("Gyo");
        selField_ = &links_.FieldByName("Sel");
        return links_.Locate("Gyo", {db::Value(gyo_)});
    }
    bool OnArticleRow() override { return !links_.Eof() && gyoField_->AsInteger() == gyo_; }
    std::int64_t RowSel() override { return selField_->AsInteger(); }
    void NextRow() override { links_.Next(); }

private:
    db::Table& links_;
    db::Dataset& article_;
    std::int64_t gyo_ = 0;
    db::Field* gyoField_ = nullptr;
    db::Field* selField_ = nullptr;
};

// The document as the class library's string list would hold it.
db::StringList documentLines(const std::string& doc)
{
    db::StringList lines;
    std::size_t start = 0;
    for (std::size_t br; (br = doc.find("\r\n", start)) != std::string::npos; start = br + 2)
        lines.push_back(doc.substr(start, br - start));
    if (start < doc.size())
        lines.push_back(doc.substr(start));
    return lines;
}

// Articles built into each tab's view, to tell whether an action built one.
JyobunArray<unsigned> builds{};

void viewClear(int i)
{
    JyobunRichEdit[i]->Clear();
    JyobunRtfCache[i].clear();
}

// The article of tab i's grid row (of the text table's row in a memo); a
// tab's view shows no other article when it cannot be read.
std::string articleBuild(int i, bool memo)
{
    db::Table& text = *JyobunSubTable[i];
    db::Dataset& article = memo ? static_cast<db::Dataset&>(text) : *JyobunMainSource[i]->DataSet();
    try {
        const std::string honbun = text.FieldByName("Honbun").AsString();
        const int kubunNo = honbun.empty() ? 0 : static_cast<int>(article.FieldByName("KubunNo").AsInteger());
        LinkTableSpans links(*JyobunLinkTable[i], article);
        return HonbunRtfBuild(honbun, JyobunKeyWord1[i], JyobunKeyWord2[i], kubunNo, links,
                              memo ? RtfMode::Memo : RtfMode::Display);
    } catch (...) {
        if (!memo)
            viewClear(i);
        throw;
    }
}

} // namespace

void HonbunRtfMake(int i)
{
    const bool memo = MemoLinkMode == 1;
    db::Table& text = *JyobunSubTable[i];
    if (!memo && !text.Active()) {
        HonbunTextReopen(i); // opening builds the article
        return;
    }
    std::string doc = articleBuild(i, memo);
    if (memo) {
        MemoRtfStream = std::move(doc);
        return;
    }
    ++builds[i];
    ui::RichEdit& view = *JyobunRichEdit[i];
    try {
        view.LoadRichText(doc);
    } catch (const std::exception&) {
        ScratchFileLoad(view, documentLines(doc));
    }
    JyobunRtfCache[i] = std::move(doc);
}

void HonbunTextReopen(int i)
{
    db::Table& text = *JyobunSubTable[i];
    if (text.Active())
        return;
    viewClear(i);
    text.Open();
}

void JyobunKeyWordsShow(int i, const std::function<void()>& change)
{
    const std::string key1 = JyobunKeyWord1[i];
    const std::string key2 = JyobunKeyWord2[i];
    const unsigned built = builds[i];
    change();
    if ((JyobunKeyWord1[i] != key1 || JyobunKeyWord2[i] != key2) && builds[i] == built
        && JyobunSubTable[i]->Active())
        HonbunRtfMake(i);
}
