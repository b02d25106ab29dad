// The article document: the rich text of one article built from its plain
// text, with key word 1 red, key word 2 magenta, links blue and underlined,
// bracketed passages green and every line indented by its item level.
// Pure: no widgets, no datasets; HonbunRtfMake (honbun_rtf_make.h) feeds it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One link span: 1-based byte positions Start <= p < End of the article text.
struct LinkSpan {
    std::int64_t Start;
    std::int64_t End;
    bool operator==(const LinkSpan&) const = default;
};

// The link spans of one article, handed out once each, in text order.
class LinkSpanSource {
public:
    virtual ~LinkSpanSource() = default;
    // The next span; nullopt when the article has no further span.
    virtual std::optional<LinkSpan> NextSpan() = 0;
};

// Spans known beforehand (tests, articles without a link table).
class LinkSpanList : public LinkSpanSource {
public:
    LinkSpanList() = default;
    explicit LinkSpanList(std::vector<LinkSpan> spans) : spans_(std::move(spans)) {}
    std::optional<LinkSpan> NextSpan() override;

private:
    std::vector<LinkSpan> spans_;
    std::size_t next_ = 0;
};

// The rows of a link table that belong to one article, walked forward once;
// the span grouping (a run of rows whose Sel follow by one is one span) is
// done here, so every row source groups alike.
class LinkRowSpans : public LinkSpanSource {
public:
    std::optional<LinkSpan> NextSpan() final;

protected:
    // Moves to the article's first row; false when it has none.
    virtual bool LocateFirstRow() = 0;
    // The current row belongs to the article and the table is not at its end.
    virtual bool OnArticleRow() = 0;
    virtual std::int64_t RowSel() = 0;
    virtual void NextRow() = 0;

private:
    bool located_ = false;
};

enum class RtfMode {
    Display, // the tab's view: key words coloured
    Memo,    // a link target for a memo window: no key words
};

// The article's lines joined with CR LF after each, the last one included;
// lines end at CR LF, a lone CR or a lone LF. Empty for an empty text. A NUL
// byte (damaged data) becomes a blank instead of cutting the article short;
// the bytes after it keep their positions.
std::string HonbunText(std::string_view honbun);

// The whole document of an article: `honbun` is the field's text as stored,
// `kubunNo` the article's document code.
std::string HonbunRtfBuild(std::string_view honbun, std::string_view keyWord1, std::string_view keyWord2,
                           int kubunNo, LinkSpanSource& links, RtfMode mode);
