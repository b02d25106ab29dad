#include "platform/richedit/rtf_reader.h"

#include "platform/text/sjis.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace ui {

namespace {

struct CharState {
    int color = -1; // index into the colour table; -1 the default colour
    int font = -1;  // number in the font table; -1 the default font
    int halfPoints = 0; // 0 the default size
    bool underline = false;
    bool bold = false;
    bool operator==(const CharState&) const = default;
};

struct ParaState {
    int lineSpacing = 0; // \sl: negative exact, positive at least, 0 single
    int leftIndent = 0;
    int firstIndent = 0;
};

enum class Destination { Text, FontTable, ColorTable, Skip };

struct GroupState {
    CharState chars;
    ParaState para;
    Destination dest = Destination::Text;
};

struct Run {
    QString text;
    CharState chars;
};

struct Paragraph {
    ParaState para;
    std::vector<Run> runs;
};

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexValue(char c)
{
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isBlank(char c)
{
    return c == ' ' || c == '\r' || c == '\n' || c == '\t' || c == '\0';
}

// The largest page (22 inches, in twips): a size, spacing or indent beyond
// it comes from damaged text, and laying it out would take the control
// minutes.
constexpr int PageTwips = 31680;

int onPage(int twips)
{
    return std::clamp(twips, -PageTwips, PageTwips);
}

// Destinations whose text is never shown.
bool isSkippedDestination(std::string_view word)
{
    static constexpr std::string_view skipped[] = {
        "stylesheet", "info", "pict", "object", "header", "headerl", "headerr", "headerf",
        "footer", "footerl", "footerr", "footerf", "footnote", "listtable", "listoverridetable",
    };
    for (std::string_view s : skipped)
        if (word == s)
            return true;
    return false;
}

class Reader {
public:
    Reader(std::string_view rtf, RichTextReading reading)
        : m_in(rtf), m_lenient(reading == RichTextReading::Lenient) {}

    void read()
    {
        std::size_t start = 0;
        while (start < m_in.size() && isBlank(m_in[start]))
            ++start;
        if (m_in.substr(start, 5) != "{\\rtf")
            throw RichTextError("Rich text: the text does not begin with {\\rtf");
        m_pos = start;
        m_paragraphs.emplace_back();
        bool closed = false;
        while (m_pos < m_in.size()) {
            const char c = m_in[m_pos];
            if (closed) {
                if (m_lenient)
                    break;
                if (!isBlank(c))
                    throw RichTextError("Rich text: unbalanced braces");
                ++m_pos;
                continue;
            }
            switch (c) {
            case '{':
                m_stack.push_back(m_stack.empty() ? GroupState{} : m_stack.back());
                ++m_pos;
                break;
            case '}':
                closeGroup();
                closed = m_stack.empty();
                ++m_pos;
                break;
            case '\\':
                control();
                break;
            case '\r':
            case '\n':
            case '\0':
                ++m_pos;
                break;
            default:
                textByte(c);
                ++m_pos;
            }
        }
        if (!closed) {
            if (!m_lenient)
                throw RichTextError("Rich text: unbalanced braces");
            m_lastPara = state().para;
        }
        flushText();
        m_paragraphs.back().para = m_lastPara;
    }

    void apply(QTextDocument& doc, double dpi) const
    {
        const double pixelsPerTwip = dpi / 1440.0;
        doc.clear();
        QTextCursor cursor(&doc);
        cursor.beginEditBlock();
        bool first = true;
        for (const Paragraph& p : m_paragraphs) {
            const QTextBlockFormat format = blockFormat(p.para, pixelsPerTwip);
            if (first)
                cursor.setBlockFormat(format);
            else
                cursor.insertBlock(format, QTextCharFormat());
            first = false;
            for (const Run& run : p.runs)
                cursor.insertText(run.text, charFormat(run.chars));
        }
        cursor.endEditBlock();
    }

private:
    GroupState& state() { return m_stack.back(); }

    void closeGroup()
    {
        if (m_stack.size() == 1)
            m_lastPara = state().para; // the last paragraph needs no \par
        m_stack.pop_back();
    }

    void control()
    {
        ++m_pos; // the backslash
        if (m_pos >= m_in.size()) {
            if (m_lenient)
                return;
            throw RichTextError("Rich text: a backslash ends the text");
        }
        const char c = m_in[m_pos];
        if (!isAsciiLetter(c)) {
            ++m_pos;
            symbol(c);
            return;
        }
        const std::size_t wordStart = m_pos;
        while (m_pos < m_in.size() && isAsciiLetter(m_in[m_pos]))
            ++m_pos;
        const std::string_view word = m_in.substr(wordStart, m_pos - wordStart);
        bool hasParam = false;
        long long param = 0;
        bool negative = false;
        if (m_pos < m_in.size() && m_in[m_pos] == '-' && m_pos + 1 < m_in.size()
            && isDigit(m_in[m_pos + 1])) {
            negative = true;
            ++m_pos;
        }
        while (m_pos < m_in.size() && isDigit(m_in[m_pos])) {
            hasParam = true;
            if (param < 100000000)
                param = param * 10 + (m_in[m_pos] - '0');
            ++m_pos;
        }
        if (m_pos < m_in.size() && m_in[m_pos] == ' ')
            ++m_pos; // the delimiter belongs to the word
        controlWord(word, hasParam, static_cast<int>(negative ? -param : param));
    }

    void symbol(char c)
    {
        switch (c) {
        case '\'': {
            if (m_pos + 1 >= m_in.size() || !isHexDigit(m_in[m_pos]) || !isHexDigit(m_in[m_pos + 1])) {
                if (m_lenient)
                    break;
                throw RichTextError("Rich text: broken \\' escape");
            }
            textByte(static_cast<char>(hexValue(m_in[m_pos]) * 16 + hexValue(m_in[m_pos + 1])));
            m_pos += 2;
            break;
        }
        case '\\':
        case '{':
        case '}':
            textByte(c);
            break;
        case '\r':
        case '\n':
            paragraph();
            break;
        case '*':
            state().dest = Destination::Skip;
            break;
        default:
            break; // other control symbols carry nothing we show
        }
    }

    void controlWord(std::string_view word, bool hasParam, int value)
    {
        GroupState& s = state();
        if (s.dest == Destination::Skip)
            return;
        if (word == "fonttbl") {
            s.dest = Destination::FontTable;
        } else if (word == "colortbl") {
            s.dest = Destination::ColorTable;
            m_colorOpen = false;
        } else if (isSkippedDestination(word)) {
            s.dest = Destination::Skip;
        } else if (s.dest == Destination::FontTable) {
            if (word == "f")
                m_fontNumber = value;
        } else if (s.dest == Destination::ColorTable) {
            colorComponent(word, value);
        } else if (word == "par") {
            paragraph();
        } else if (word == "tab") {
            textByte('\t');
        } else if (word == "pard") {
            s.para = ParaState{};
        } else if (word == "plain") {
            s.chars = CharState{};
        } else if (word == "cf") {
            s.chars.color = value;
        } else if (word == "ul") {
            s.chars.underline = !hasParam || value != 0;
        } else if (word == "ulnone") {
            s.chars.underline = false;
        } else if (word == "b") {
            s.chars.bold = !hasParam || value != 0;
        } else if (word == "fs") {
            s.chars.halfPoints = std::clamp(value, 0, PageTwips / 10); // ten twips a half point
        } else if (word == "f") {
            s.chars.font = value;
        } else if (word == "sl") {
            s.para.lineSpacing = onPage(value);
        } else if (word == "li") {
            s.para.leftIndent = onPage(value);
        } else if (word == "fi") {
            s.para.firstIndent = onPage(value);
        }
        // Any other word is skipped, as rich-text readers do.
    }

    void colorComponent(std::string_view word, int value)
    {
        if (word != "red" && word != "green" && word != "blue")
            return;
        if (!m_colorOpen) {
            m_color = QColor(0, 0, 0);
            m_colorOpen = true;
        }
        const int v = std::clamp(value, 0, 255);
        if (word == "red")
            m_color.setRed(v);
        else if (word == "green")
            m_color.setGreen(v);
        else
            m_color.setBlue(v);
    }

    void textByte(char c)
    {
        GroupState& s = state();
        switch (s.dest) {
        case Destination::Skip:
            return;
        case Destination::FontTable:
            if (c == ';') {
                QString name = sjis::toQString(m_fontName).trimmed();
                m_fonts[m_fontNumber] = name;
                m_fontName.clear();
            } else {
                m_fontName.push_back(c);
            }
            return;
        case Destination::ColorTable:
            if (c == ';') {
                // An entry without components is the default colour.
                m_colors.push_back(m_colorOpen ? m_color : QColor());
                m_colorOpen = false;
            }
            return;
        case Destination::Text:
            break;
        }
        if (!m_pending.empty() && !(s.chars == m_pendingChars)) {
            if (m_leadOpen) {
                // A format change between the two bytes of one character:
                // the character keeps the format of its first byte.
                m_pending.push_back(c);
                m_leadOpen = false;
                flushText();
                return;
            }
            flushText();
        }
        if (m_pending.empty())
            m_pendingChars = s.chars;
        m_pending.push_back(c);
        m_leadOpen = !m_leadOpen && sjis::isLeadByte(static_cast<unsigned char>(c));
    }

    void flushText()
    {
        if (m_pending.empty())
            return;
        m_paragraphs.back().runs.push_back(Run{sjis::toQString(m_pending), m_pendingChars});
        m_pending.clear();
        m_leadOpen = false;
    }

    void paragraph()
    {
        if (state().dest != Destination::Text)
            return;
        flushText();
        // A paragraph takes the properties in force at its end.
        m_paragraphs.back().para = state().para;
        m_paragraphs.emplace_back();
    }

    QTextCharFormat charFormat(const CharState& c) const
    {
        QTextCharFormat f;
        if (c.color >= 0 && c.color < static_cast<int>(m_colors.size()) && m_colors[c.color].isValid())
            f.setForeground(m_colors[c.color]);
        if (c.underline)
            f.setFontUnderline(true);
        if (c.bold)
            f.setFontWeight(QFont::Bold);
        if (c.halfPoints > 0)
            f.setFontPointSize(c.halfPoints / 2.0);
        if (auto it = m_fonts.find(c.font); it != m_fonts.end() && !it->second.isEmpty())
            f.setFontFamilies(QStringList{it->second});
        return f;
    }

    static QTextBlockFormat blockFormat(const ParaState& p, double pixelsPerTwip)
    {
        QTextBlockFormat f;
        if (p.lineSpacing < 0)
            f.setLineHeight(-p.lineSpacing * pixelsPerTwip, QTextBlockFormat::FixedHeight);
        else if (p.lineSpacing > 0)
            f.setLineHeight(p.lineSpacing * pixelsPerTwip, QTextBlockFormat::MinimumHeight);
        if (p.leftIndent != 0)
            f.setLeftMargin(p.leftIndent * pixelsPerTwip);
        if (p.firstIndent != 0)
            f.setTextIndent(p.firstIndent * pixelsPerTwip);
        return f;
    }

    std::string_view m_in;
    const bool m_lenient;
    std::size_t m_pos = 0;
    std::vector<GroupState> m_stack;
    std::vector<Paragraph> m_paragraphs;
    ParaState m_lastPara; // in force when the text ends without \par

    std::string m_pending; // text bytes of one format, not yet decoded
    CharState m_pendingChars;
    bool m_leadOpen = false; // m_pending ends in the first byte of a pair

    std::map<int, QString> m_fonts;
    int m_fontNumber = 0;
    std::string m_fontName;

    std::vector<QColor> m_colors;
    QColor m_color;
    bool m_colorOpen = false;
};

} // namespace

void readRichText(std::string_view rtf, QTextDocument& doc, double dpi, RichTextReading reading)
{
    Reader reader(rtf, reading);
    reader.read();
    reader.apply(doc, dpi);
}

} // namespace ui
