#include "reader/honbun_rtf.h"

#include "reader/gyo_level.h"

#include "platform/text/sjis.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// The largest Integer: no further link span, or a bracket still open.
constexpr std::int64_t MaxInteger = 2147483647;

constexpr std::string_view LineBreak = "\r\n\\par\r\n";
constexpr std::string_view DocumentEnd = "\\par}";
constexpr std::string_view LineSpacing = "\\sl-264";

// The font table names the font by the hex escapes of its double-byte
// characters; single bytes stand as they are.
std::string rtfHex(std::string_view s)
{
    static constexpr char digits[] = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = sjis::charLength(s, i);
        if (n == 1) {
            out += s[i];
        } else {
            for (unsigned char c : s.substr(i, n)) {
                out += "\\'";
                out += digits[c >> 4];
                out += digits[c & 0x0F];
            }
        }
        i += n;
    }
    return out;
}

// Everything the walk compares with or writes, converted once.
struct Marks {
    std::string Header = "{\\rtf1\\ansi\r\n"
                         "{\\fonttbl{\\f0\\fnil\\fcharset128" +
                         rtfHex("ＭＳ 明朝"_sj) +
                         ";}}\r\n"
                         "{\\colortbl\\red0\\green0\\blue0;\r\n"
                         "\\red255\\green0\\blue0;\r\n"
                         "\\red255\\green0\\blue255;\r\n"
                         "\\red0\\green0\\blue255;\r\n"
                         "\\red0\\green150\\blue0;}\r\n";
    std::string KakkoOpen = "（"_sj;
    std::string KakkoOpen2 = "《"_sj;
    std::string KakkoClose = "）"_sj;
    std::string KakkoClose2 = "》"_sj;
    std::string Tate = "｜"_sj;
    std::string KagiOpen = "「"_sj;
    std::string KagiClose = "」"_sj;
    std::string Kou1Line = "\r\n" + "１　"_sj;
    // First bytes of the brackets, bars and quotes: any other byte skips
    // those tests (the hot path of every article shown).
    std::array<bool, 256> BracketLead = [this] {
        std::array<bool, 256> lead{};
        for (const std::string* m :
             {&KakkoOpen, &KakkoOpen2, &KakkoClose, &KakkoClose2, &Tate, &KagiOpen, &KagiClose})
            lead[static_cast<unsigned char>(m->front())] = true;
        lead['('] = true;
        lead[')'] = true;
        return lead;
    }();
};

const Marks& marks()
{
    static const Marks m;
    return m;
}

// Hanging indents by item level; levels 0 and 1 depend on the article.
constexpr std::array<std::string_view, 10> LevelPrefix = {
    "",                       // 0: see IndentPrefix
    "",                       // 1: see IndentPrefix
    "\\li600\\fi-600{\\cf",   // 2
    "\\li1200\\fi-1200{\\cf", // 3
    "\\li960\\fi-960{\\cf",   // 4
    "\\li720\\fi-720{\\cf",   // 5
    "\\li480\\fi-480{\\cf",   // 6
    "\\li960\\fi-960{\\cf",   // 7
    "\\li960\\fi-960{\\cf",   // 8
    "\\li1440\\fi-1440{\\cf", // 9
};
constexpr std::string_view NoIndent = "\\li0\\fi0{\\cf";
constexpr std::string_view Level1Indent = "\\li480\\fi-480{\\cf";
constexpr std::string_view Level0Indent = "\\li240\\fi-240{\\cf";

// Circulars and similar documents are set flush left on levels 0 and 1.
bool flushLeftDocument(int kubunNo)
{
    constexpr std::array codes = {40, 50, 80, 140, 190, 240, 290, 340, 350, 390, 740, 750};
    return std::ranges::find(codes, kubunNo) != codes.end();
}

// One build: the walk over the joined text, positions 1-based as the rules
// count them.
class HonbunRtfWalk {
public:
    HonbunRtfWalk(std::string_view text, std::string_view key1, std::string_view key2, int kubunNo,
                  LinkSpanSource& links, std::string& out)
        : text_(text), links_(links), out_(out), flushLeft_(flushLeftDocument(kubunNo)),
          RtfTextLen(static_cast<std::int64_t>(text.size())), RtfKey1(key1), RtfKey2(key2)
    {
    }

    void Run()
    {
        while (RtfPos <= RtfTextLen)
            HonbunRtfStep();
        if (RtfPos > RtfSegStart)
            HonbunRtfWrite(RtfSegStart, RtfPos, RtfColor);
    }

private:
    bool at(std::int64_t p, std::string_view s) const
    {
        const std::size_t i = static_cast<std::size_t>(p - 1);
        return i + s.size() <= text_.size() && text_[i] == s[0] &&
               std::memcmp(text_.data() + i + 1, s.data() + 1, s.size() - 1) == 0;
    }
    char byteAt(std::int64_t p) const { return text_[static_cast<std::size_t>(p - 1)]; }
    std::int64_t charLengthAt(std::int64_t p) const
    {
        return static_cast<std::int64_t>(sjis::charLength(text_, static_cast<std::size_t>(p - 1)));
    }

    // Second byte of a double-byte character, counted from the text's start;
    // the walk only moves forward, so the boundary is followed along.
    bool secondByte(std::int64_t p)
    {
        while (nextChar_ < p)
            nextChar_ += charLengthAt(nextChar_);
        if (nextChar_ > p)
            return true;
        nextChar_ += charLengthAt(p);
        return false;
    }

    void kakkoOpen()
    {
        KakkoEnd = MaxInteger;
        --KakkoDepth;
        KagiBalance = -1;
    }

    void kakkoClose(std::int64_t end)
    {
        if (KakkoDepth < 0 && ++KakkoDepth == 0)
            KakkoEnd = end;
    }

    void matchAt(std::int64_t p)
    {
        const Marks& m = marks();
        if (!RtfKey1.empty() && at(p, RtfKey1))
            RtfKey1End = p + static_cast<std::int64_t>(RtfKey1.size());
        if (!RtfKey2.empty() && at(p, RtfKey2))
            RtfKey2End = p + static_cast<std::int64_t>(RtfKey2.size());
        if (!m.BracketLead[static_cast<unsigned char>(byteAt(p))])
            return;
        if (at(p, m.KakkoOpen) || at(p, m.KakkoOpen2))
            kakkoOpen();
        if (at(p, m.KakkoClose) || at(p, m.KakkoClose2))
            kakkoClose(p + 2);
        if (byteAt(p) == '(')
            kakkoOpen();
        if (byteAt(p) == ')')
            kakkoClose(p + 1);
        if (at(p, m.Tate)) {
            KakkoEnd = 0;
            KakkoDepth = 0;
            KagiBalance = 0;
        }
        if (p < KakkoEnd) {
            if (at(p, m.KagiOpen))
                --KagiBalance;
            else if (at(p, m.KagiClose))
                ++KagiBalance;
            // A quotation that closes more than it opened ends the passage.
            if (KagiBalance == 0) {
                KakkoEnd = 0;
                KakkoDepth = 0;
            }
        }
    }

    void HonbunRtfStep()
    {
        const std::int64_t p = RtfPos;
        if (p > LinkStart && p > LinkEnd)
            LinkSpanFind();
        if (!secondByte(p))
            matchAt(p);

        if (p < RtfTextLen && byteAt(p) == '\r' && byteAt(p + 1) == '\n') {
            if (p > RtfSegStart)
                HonbunRtfWrite(RtfSegStart, p, RtfColor);
            out_ += LineBreak;
            RtfPos = p + 2;
            RtfSegStart = RtfPos;
            RtfColor = -1;
            if (Kou1Pos < -1)
                ++Kou1Pos;
            if (Kou1Pos == -1) {
                const std::size_t hit = sjis::findBytes(text_, marks().Kou1Line);
                Kou1Pos = hit == sjis::npos ? 0 : static_cast<std::int64_t>(hit) + 1;
            }
            GyoLevel = GyoLevelGet(text_, static_cast<std::size_t>(RtfPos - 1), GyoLevel);
            KakkoEnd = 0;
            KakkoDepth = 0;
            KagiBalance = 0;
            return;
        }

        int state = 0;
        if (!RtfKey1.empty() && p < RtfKey1End)
            state = 1;
        else if (!RtfKey2.empty() && p < RtfKey2End)
            state = 2;
        else if (LinkStart <= p && p < LinkEnd)
            state = 3;
        else if (p < KakkoEnd)
            state = 4;
        if (state != RtfColor && p > RtfSegStart)
            HonbunRtfWrite(RtfSegStart, p, RtfColor);
        RtfColor = state;
        RtfPos = p + 1;
    }

    // Reads spans until one reaches the walk position: spans out of text
    // order that lie wholly behind it are skipped.
    void LinkSpanFind()
    {
        do {
            const std::optional<LinkSpan> span = links_.NextSpan();
            if (!span) {
                LinkStart = MaxInteger;
                LinkEnd = MaxInteger;
                return;
            }
            LinkStart = span->Start;
            LinkEnd = span->End;
        } while (LinkEnd <= RtfPos);
    }

    void HonbunRtfWrite(std::int64_t s, std::int64_t e, int c)
    {
        HonbunIndentWrite();
        out_ += std::to_string(c);
        if (c == 3)
            out_ += "\\ul";
        out_ += ' ';
        const std::string_view bytes =
            text_.substr(static_cast<std::size_t>(s - 1), static_cast<std::size_t>(e - s));
        for (std::size_t from = 0;;) {
            const std::size_t hit = bytes.find_first_of("\\{}", from);
            out_ += bytes.substr(from, hit - from);
            if (hit == std::string_view::npos)
                break;
            out_ += '\\';
            out_ += bytes[hit];
            from = hit + 1;
        }
        out_ += '}';
        RtfSegStart = e;
    }

    void HonbunIndentWrite()
    {
        out_ += LineSpacing;
        out_ += IndentPrefix();
    }

    std::string_view IndentPrefix() const
    {
        if (GyoLevel >= 2)
            return LevelPrefix[static_cast<std::size_t>(GyoLevel)];
        if (flushLeft_)
            return NoIndent;
        if (GyoLevel == 1)
            return Level1Indent;
        if (Kou1Pos < 1)
            return NoIndent;
        return Level0Indent;
    }

    std::string_view text_;
    LinkSpanSource& links_;
    std::string& out_;
    const bool flushLeft_;
    std::int64_t nextChar_ = 1;

    // The walk state; one set per build.
    std::int64_t RtfPos = 1;
    std::int64_t RtfSegStart = 1;
    const std::int64_t RtfTextLen;
    int RtfColor = -1;
    const std::string_view RtfKey1;
    const std::string_view RtfKey2;
    std::int64_t RtfKey1End = 0;
    std::int64_t RtfKey2End = 0;
    std::int64_t LinkStart = 0;
    std::int64_t LinkEnd = 0;
    std::int64_t KakkoEnd = 0;
    int KakkoDepth = 0;
    int KagiBalance = 0;
    int GyoLevel = 0;
    std::int64_t Kou1Pos = -3;
};

} // namespace

std::optional<LinkSpan> LinkSpanList::NextSpan()
{
    if (next_ >= spans_.size())
        return std::nullopt;
    return spans_[next_++];
}

std::optional<LinkSpan> LinkRowSpans::NextSpan()
{
    if (!located_) {
        located_ = true;
        if (!LocateFirstRow())
            return std::nullopt;
    }
    if (!OnArticleRow())
        return std::nullopt;
    LinkSpan span{RowSel() + 1, RowSel() + 1};
    while (OnArticleRow() && RowSel() + 1 == span.End) {
        ++span.End;
        NextRow();
    }
    return span;
}

std::string HonbunText(std::string_view honbun)
{
    std::string out;
    out.reserve(honbun.size() + 2);
    std::size_t i = 0;
    while (i < honbun.size()) {
        std::size_t j = i;
        while (j < honbun.size() && honbun[j] != '\r' && honbun[j] != '\n')
            ++j;
        out += honbun.substr(i, j - i);
        out += "\r\n";
        if (j < honbun.size() && honbun[j] == '\r')
            ++j;
        if (j < honbun.size() && honbun[j] == '\n')
            ++j;
        i = j;
    }
    std::replace(out.begin(), out.end(), '\0', ' ');
    return out;
}

std::string HonbunRtfBuild(std::string_view honbun, std::string_view keyWord1, std::string_view keyWord2,
                           int kubunNo, LinkSpanSource& links, RtfMode mode)
{
    const std::string text = HonbunText(honbun);
    std::string out;
    // Segments add some twenty bytes of control words each.
    out.reserve(marks().Header.size() + text.size() * 2 + 64);
    out += marks().Header;
    if (mode == RtfMode::Memo) {
        keyWord1 = {};
        keyWord2 = {};
    }
    HonbunRtfWalk(text, keyWord1, keyWord2, kubunNo, links, out).Run();
    out += DocumentEnd;
    return out;
}
