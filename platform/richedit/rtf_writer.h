// Writes a QTextDocument as the rich-text subset that rtf_reader reads.
#pragma once

#include <string>

class QTextDocument;

namespace ui {

// The whole document as CP932 rich text; pixel lengths become twips at `dpi`.
std::string writeRichText(const QTextDocument& doc, double dpi);

} // namespace ui
