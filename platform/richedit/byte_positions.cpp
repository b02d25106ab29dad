#include "platform/richedit/byte_positions.h"

#include "platform/text/sjis.h"

#include <QString>
#include <QTextDocument>

#include <algorithm>

namespace ui {

namespace {

bool isBreak(QChar c)
{
    return c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

} // namespace

void BytePositions::rebuild(const QTextDocument& doc)
{
    // The raw text keeps the separators (plain text would turn non-breaking
    // spaces into blanks); the last paragraph has none.
    const QString raw = doc.toRawText();
    QString crlf = raw;
    crlf.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"))
        .replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    m_text = sjis::fromQString(crlf);

    // Every character (a surrogate pair included) comes out as exactly one
    // CP932 character, so one walk over both texts pairs them up.
    const int size = static_cast<int>(raw.size());
    m_byteAt.assign(static_cast<std::size_t>(size) + 1, 0);
    std::size_t b = 0;
    for (int i = 0; i < size; ++i) {
        m_byteAt[i] = static_cast<int>(b);
        const QChar c = raw.at(i);
        if (isBreak(c)) {
            b += 2;
            continue;
        }
        if (c.isHighSurrogate() && i + 1 < size && raw.at(i + 1).isLowSurrogate())
            m_byteAt[++i] = static_cast<int>(b);
        b = std::min(m_text.size(), b + sjis::charLength(m_text, b));
    }
    m_byteAt[size] = static_cast<int>(m_text.size());
}

int BytePositions::toByte(int docPos) const
{
    docPos = std::clamp(docPos, 0, static_cast<int>(m_byteAt.size()) - 1);
    return m_byteAt[docPos];
}

int BytePositions::toDocFloor(int bytePos) const
{
    // The last position whose offset is not beyond the byte, moved back to
    // the first unit of its character.
    auto it = std::upper_bound(m_byteAt.begin(), m_byteAt.end(), std::max(bytePos, 0));
    auto pos = static_cast<int>(it - m_byteAt.begin()) - 1;
    while (pos > 0 && m_byteAt[pos - 1] == m_byteAt[pos])
        --pos;
    return pos;
}

int BytePositions::toDocCeil(int bytePos) const
{
    auto it = std::lower_bound(m_byteAt.begin(), m_byteAt.end(), std::max(bytePos, 0));
    if (it == m_byteAt.end())
        --it;
    return static_cast<int>(it - m_byteAt.begin());
}

} // namespace ui
