#include "platform/richedit/rtf_writer.h"

#include "platform/text/sjis.h"

#include <QColor>
#include <QString>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>

#include <algorithm>
#include <cmath>
#include <vector>

namespace ui {

namespace {

template <typename T>
int indexOf(std::vector<T>& list, const T& value)
{
    auto it = std::find(list.begin(), list.end(), value);
    if (it == list.end())
        it = list.insert(list.end(), value);
    return static_cast<int>(it - list.begin());
}

void appendEscaped(std::string& out, std::string_view cp932)
{
    static constexpr char hex[] = "0123456789abcdef";
    for (char ch : cp932) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\\' || c == '{' || c == '}') {
            out.push_back('\\');
            out.push_back(ch);
        } else if (c == '\t') {
            out.append("\\tab ");
        } else if (c >= 0x80) {
            out.append("\\'");
            out.push_back(hex[c >> 4]);
            out.push_back(hex[c & 15]);
        } else if (c >= 0x20) {
            out.push_back(ch);
        }
    }
}

void appendWord(std::string& out, const char* word, long value)
{
    out.append(word);
    out.append(std::to_string(value));
}

class Writer {
public:
    Writer(const QTextDocument& doc, double dpi) : m_doc(doc), m_twipsPerPixel(1440.0 / dpi)
    {
        m_fonts.push_back(doc.defaultFont().family());
    }

    std::string write()
    {
        std::string body;
        for (QTextBlock block = m_doc.begin(); block.isValid(); block = block.next()) {
            if (block != m_doc.begin())
                body.append("\\par\r\n");
            paragraphProperties(body, block.blockFormat());
            for (auto it = block.begin(); !it.atEnd(); ++it)
                fragment(body, it.fragment().text(), it.fragment().charFormat());
        }
        std::string out = "{\\rtf1\\ansi\r\n{\\fonttbl";
        for (std::size_t i = 0; i < m_fonts.size(); ++i) {
            appendWord(out, "{\\f", static_cast<long>(i));
            out.append("\\fnil\\fcharset128 ");
            appendEscaped(out, sjis::fromQString(m_fonts[i]));
            out.append(";}");
        }
        out.append("}\r\n{\\colortbl;");
        for (const QColor& c : m_colors) {
            appendWord(out, "\\red", c.red());
            appendWord(out, "\\green", c.green());
            appendWord(out, "\\blue", c.blue());
            out.push_back(';');
        }
        out.append("}\r\n");
        out.append(body);
        out.append("}");
        return out;
    }

private:
    long twips(double pixels) const { return std::lround(pixels * m_twipsPerPixel); }

    void paragraphProperties(std::string& out, const QTextBlockFormat& f) const
    {
        out.append("\\pard");
        const long height = twips(f.lineHeight());
        if (f.lineHeightType() == QTextBlockFormat::FixedHeight && height > 0)
            appendWord(out, "\\sl", -height);
        else if (f.lineHeightType() == QTextBlockFormat::MinimumHeight && height > 0)
            appendWord(out, "\\sl", height);
        if (const long li = twips(f.leftMargin()); li != 0)
            appendWord(out, "\\li", li);
        if (const long fi = twips(f.textIndent()); fi != 0)
            appendWord(out, "\\fi", fi);
    }

    void fragment(std::string& out, const QString& text, const QTextCharFormat& f)
    {
        out.push_back('{');
        if (f.hasProperty(QTextFormat::FontFamilies) && !f.fontFamilies().toStringList().isEmpty())
            appendWord(out, "\\f", indexOf(m_fonts, f.fontFamilies().toStringList().front()));
        if (f.fontPointSize() > 0)
            appendWord(out, "\\fs", std::lround(f.fontPointSize() * 2));
        if (f.hasProperty(QTextFormat::ForegroundBrush))
            appendWord(out, "\\cf", indexOf(m_colors, f.foreground().color()) + 1);
        if (f.fontUnderline())
            out.append("\\ul");
        if (f.fontWeight() >= QFont::Bold)
            out.append("\\b");
        if (out.back() != '{') // a space ends a control word; after a brace it is text
            out.push_back(' ');
        // A line separator inside a paragraph counts as a break, as in the
        // plain text, so it is written as one.
        const QStringList lines = text.split(QChar::LineSeparator);
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                out.append("\\par\r\n");
            appendEscaped(out, sjis::fromQString(lines[i]));
        }
        out.push_back('}');
    }

    const QTextDocument& m_doc;
    double m_twipsPerPixel;
    std::vector<QString> m_fonts;
    std::vector<QColor> m_colors; // after the default colour, entry 0
};

} // namespace

std::string writeRichText(const QTextDocument& doc, double dpi)
{
    return Writer(doc, dpi).write();
}

} // namespace ui
