// Reads the rich-text subset the reader writes into a QTextDocument.
#pragma once

#include <stdexcept>
#include <string_view>

class QTextDocument;

namespace ui {

// Rich text that cannot be read: no "{\rtf" header, unbalanced braces, a
// broken \'hh escape. what() is plain ASCII.
class RichTextError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Strict reading refuses a damaged text; lenient reading, the way the
// control reads a file, shows what it can: braces left open close at the
// end, text after the last brace and a broken escape are dropped.
enum class RichTextReading { Strict, Lenient };

// Replaces the content of `doc` by the CP932 rich text `rtf`. Lengths in
// twips become pixels at `dpi` (1440 twips an inch). The document is touched
// only once the whole text has been read, so an error leaves it as it was.
// A text without the "{\rtf" header is refused either way.
void readRichText(std::string_view rtf, QTextDocument& doc, double dpi,
                  RichTextReading reading = RichTextReading::Strict);

} // namespace ui
