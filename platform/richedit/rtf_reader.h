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

// Replaces the content of `doc` by the CP932 rich text `rtf`. Lengths in
// twips become pixels at `dpi` (1440 twips an inch). The document is touched
// only once the whole text has been read, so an error leaves it as it was.
void readRichText(std::string_view rtf, QTextDocument& doc, double dpi);

} // namespace ui
