// The link editor's body search: a text from the start or onward from the
// selection, with a history of found texts, and the jump to a paragraph by
// its number. Positions are the body editor's byte positions.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class THyperLink;

// The initial history of the search combo.
const std::vector<std::string>& HyperSearchHistory();

// Searches the body for the search combo's text. `mode` (CP932) is the
// caption of the button: "全対象検索" from the start, "後半検索" on after the
// selection. The found text is selected, "該当なし" shown otherwise; the body
// editor gets the focus.
void HyperHonbunKensaku(THyperLink& form, std::string_view mode);
// The selection of the body into the search text; false (with a message and
// the focus on the editor) when nothing is selected.
bool HyperSelectionToSearch(THyperLink& form);
// Selects the number and its full-width space at the start of the paragraph
// `number` (full-width digits); paragraph １ is the start of the body.
void HyperKouJump(THyperLink& form, const std::string& number);
