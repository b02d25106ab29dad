// The document's plain text as CP932 with CR LF between paragraphs, and the
// mapping between document positions (UTF-16 units, one per paragraph break)
// and byte positions in that text (two per paragraph break).
#pragma once

#include <string>
#include <vector>

class QTextDocument;

namespace ui {

class BytePositions {
public:
    void rebuild(const QTextDocument& doc);

    const std::string& text() const { return m_text; }
    int byteLength() const { return static_cast<int>(m_text.size()); }

    // Byte position of a document position (clamped to the document).
    int toByte(int docPos) const;
    // Document position of the character that holds byte `bytePos`
    // (clamped; a byte inside a character gives that character's start).
    int toDocFloor(int bytePos) const;
    // As toDocFloor, but a byte inside a character gives the position after
    // that character: for selection ends.
    int toDocCeil(int bytePos) const;

private:
    std::string m_text;
    // Byte offset of every document position, the end included; both units
    // of a surrogate pair carry the pair's offset.
    std::vector<int> m_byteAt;
};

} // namespace ui
