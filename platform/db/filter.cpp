#include "platform/db/filter.h"

#include "platform/db/dataset.h"
#include "platform/text/sjis.h"

#include <cctype>
#include <charconv>
#include <strings.h>
#include <vector>

namespace db {

enum class Op { Eq, Ne, Lt, Le, Gt, Ge, And, Or };

struct Filter::Node {
    Op op;
    // Comparisons: field op constant.
    std::string field;
    int column = -1;
    std::int64_t constant = 0;
    // "and" / "or".
    std::unique_ptr<Node> left, right;
};

namespace {

struct Token {
    enum Kind { Name, Number, Compare, Open, Close, And, Or, End } kind;
    std::string text;
    Op op = Op::Eq;
};

bool isOperatorByte(char c)
{
    return c == '=' || c == '<' || c == '>' || c == '(' || c == ')' || c == '!';
}

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) { tokenize(); }

    std::unique_ptr<Filter::Node> parse()
    {
        auto node = parseOr();
        if (tokens_[pos_].kind != Token::End)
            fail();
        return node;
    }

private:
    [[noreturn]] void fail() const { throw Error("Invalid filter: " + std::string(text_)); }

    void tokenize()
    {
        const std::string_view s = text_;
        for (std::size_t i = 0; i < s.size();) {
            const unsigned char c = static_cast<unsigned char>(s[i]);
            if (std::isspace(c)) {
                ++i;
            } else if (c == '(' || c == ')') {
                tokens_.push_back({c == '(' ? Token::Open : Token::Close, {}});
                ++i;
            } else if (c == '=' || c == '<' || c == '>' || c == '!') {
                const std::string two(s.substr(i, 2));
                Token t{Token::Compare, {}};
                if (two == "<=" || two == ">=" || two == "<>" || two == "!=") {
                    t.op = two == "<=" ? Op::Le : two == ">=" ? Op::Ge : Op::Ne;
                    i += 2;
                } else if (c != '!') {
                    t.op = c == '=' ? Op::Eq : c == '<' ? Op::Lt : Op::Gt;
                    ++i;
                } else {
                    fail();
                }
                tokens_.push_back(t);
            } else if (std::isdigit(c) || ((c == '-' || c == '+') && i + 1 < s.size()
                                           && std::isdigit(static_cast<unsigned char>(s[i + 1])))) {
                std::size_t j = i + 1;
                while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j])))
                    ++j;
                tokens_.push_back({Token::Number, std::string(s.substr(i, j - i))});
                i = j;
            } else {
                std::size_t j = i;
                while (j < s.size() && !std::isspace(static_cast<unsigned char>(s[j]))
                       && !isOperatorByte(s[j]))
                    j += sjis::charLength(s, j);
                std::string word(s.substr(i, j - i));
                const auto kind = strcasecmp(word.c_str(), "and") == 0 ? Token::And
                                  : strcasecmp(word.c_str(), "or") == 0 ? Token::Or
                                                                         : Token::Name;
                tokens_.push_back({kind, std::move(word)});
                i = j;
            }
        }
        tokens_.push_back({Token::End, {}});
    }

    std::unique_ptr<Filter::Node> parseOr()
    {
        auto left = parseAnd();
        while (tokens_[pos_].kind == Token::Or) {
            ++pos_;
            left = join(Op::Or, std::move(left), parseAnd());
        }
        return left;
    }

    std::unique_ptr<Filter::Node> parseAnd()
    {
        auto left = parsePrimary();
        while (tokens_[pos_].kind == Token::And) {
            ++pos_;
            left = join(Op::And, std::move(left), parsePrimary());
        }
        return left;
    }

    static std::unique_ptr<Filter::Node> join(Op op, std::unique_ptr<Filter::Node> l,
                                              std::unique_ptr<Filter::Node> r)
    {
        auto node = std::make_unique<Filter::Node>();
        node->op = op;
        node->left = std::move(l);
        node->right = std::move(r);
        return node;
    }

    // "(" expression ")", field op number, or number op field.
    std::unique_ptr<Filter::Node> parsePrimary()
    {
        if (tokens_[pos_].kind == Token::Open) {
            ++pos_;
            auto node = parseOr();
            if (tokens_[pos_].kind != Token::Close)
                fail();
            ++pos_;
            return node;
        }
        const Token& a = tokens_[pos_];
        const Token& op = tokens_[pos_ + (a.kind == Token::End ? 0 : 1)];
        if (op.kind != Token::Compare)
            fail();
        const Token& b = tokens_[pos_ + 2];
        auto node = std::make_unique<Filter::Node>();
        node->op = op.op;
        if (a.kind == Token::Name && b.kind == Token::Number) {
            node->field = a.text;
            node->constant = number(b.text);
        } else if (a.kind == Token::Number && b.kind == Token::Name) {
            node->field = b.text;
            node->constant = number(a.text);
            node->op = mirrored(op.op);
        } else {
            fail();
        }
        pos_ += 3;
        return node;
    }

    std::int64_t number(const std::string& text) const
    {
        const char* first = text.data() + (text[0] == '+' ? 1 : 0);
        std::int64_t v = 0;
        const auto r = std::from_chars(first, text.data() + text.size(), v);
        if (r.ec != std::errc() || r.ptr != text.data() + text.size())
            fail();
        return v;
    }

    static Op mirrored(Op op)
    {
        switch (op) {
        case Op::Lt: return Op::Gt;
        case Op::Le: return Op::Ge;
        case Op::Gt: return Op::Lt;
        case Op::Ge: return Op::Le;
        default: return op;
        }
    }

    std::string_view text_;
    std::vector<Token> tokens_;
    std::size_t pos_ = 0;
};

void bindNode(Filter::Node& n, const std::function<int(const std::string&)>& resolve)
{
    if (n.left) {
        bindNode(*n.left, resolve);
        bindNode(*n.right, resolve);
    } else {
        n.column = resolve(n.field);
    }
}

bool evaluate(const Filter::Node& n, const std::function<std::optional<double>(int)>& value)
{
    switch (n.op) {
    case Op::And: return evaluate(*n.left, value) && evaluate(*n.right, value);
    case Op::Or: return evaluate(*n.left, value) || evaluate(*n.right, value);
    default: break;
    }
    const std::optional<double> v = value(n.column);
    if (!v)
        return false;
    const double c = static_cast<double>(n.constant);
    switch (n.op) {
    case Op::Eq: return *v == c;
    case Op::Ne: return *v != c;
    case Op::Lt: return *v < c;
    case Op::Le: return *v <= c;
    case Op::Gt: return *v > c;
    case Op::Ge: return *v >= c;
    default: return false;
    }
}

std::string sqlOf(const Filter::Node& n, const std::function<std::string(int)>& name)
{
    static const char* const ops[] = {"=", "<>", "<", "<=", ">", ">=", " AND ", " OR "};
    const char* op = ops[static_cast<int>(n.op)];
    if (n.left)
        return "(" + sqlOf(*n.left, name) + op + sqlOf(*n.right, name) + ")";
    return "(" + name(n.column) + op + std::to_string(n.constant) + ")";
}

} // namespace

Filter::Filter(std::string_view text) : root_(Parser(text).parse()) {}
Filter::~Filter() = default;

void Filter::bind(const std::function<int(const std::string&)>& resolve)
{
    bindNode(*root_, resolve);
}

bool Filter::matches(const std::function<std::optional<double>(int)>& value) const
{
    return evaluate(*root_, value);
}

std::string Filter::toSql(const std::function<std::string(int)>& name) const
{
    return sqlOf(*root_, name);
}

} // namespace db
