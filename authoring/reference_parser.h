// Text routines of the link editor: the proposals that turn a citing phrase
// (法人税法施行令第７２条, 同法第２条 ...) into a document code and an article
// number, and the text part of the two paste commands. All work on CP932
// text alone and never fail.
//
// The form's handlers stay thin:
// - THyperLink::Button7Click (special paste): refuses a non-empty 条文本文
//   ("Clear又は追加して実行してください"), stops on an empty clipboard, puts the
//   clipboard text + CR LF back on the clipboard, edits the row, then writes
//   the fields that SpecialPasteSplit(clipboard text) returns (only those
//   that are set), and leaves the row in edit mode.
// - THyperLink::Paste2Click (normalising paste): clipboard := ZenkakuHenkan
//   (clipboard), then pastes it at the body editor's caret.
// - Proposal filling (creation, 変　換): リンク条文番号 edit :=
//   HyperKubunNoHantei(HyperJyoken, HyperTabNo, HyperJyobunKubunNo), then
//   リンク条文本文 edit := HyperJyobunBangouGet(HyperJyoken, that edit's text).
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Proposed code (KubunNo as decimal text) of the document that `phrase`
// cites, read in the law tab `tabNo` (0..5) from an article of the document
// `contextCode`. The 同法/同令/同規則/同通達 phrases give HyperKubunNo, the
// code of the link registered last.
std::string HyperKubunNoHantei(std::string_view phrase, int tabNo, int contextCode);

// Proposed article number (as stored in リンク条文本文, e.g. ２２条の２ or
// 別表第１) of the article that `phrase` cites in the document `targetCode`
// (the proposed code text). Empty when the phrase holds no number.
std::string HyperJyobunBangouGet(std::string_view phrase, std::string_view targetCode);

// 0 when the line contains 条の or 条ノ and ends with a full-width digit, else 1.
int JyoNoBangouCheck(std::string_view line);

// 0 when the second- or third-to-last character is "－" and the last one is a
// full-width digit (a circular number such as １－２－３), else 1.
int HaifunBangouCheck(std::string_view line);

// The text without its leading and trailing full-width spaces.
std::string ZenkakuSpaceTrim(std::string_view text);

// Half-width digits, brackets, blank, hyphen, full stop, comma, middle dot,
// braces and backslash become full-width; "─" becomes "－", "ロ座" "口座".
std::string ZenkakuHenkan(std::string_view text);

// The fields of an article row that a special paste writes; unset fields
// are left as they are.
struct SpecialPasteFields {
    std::optional<std::string> Hyoudai;      // 表題
    std::optional<std::string> JyobunHonbun; // 条文本文 (the article number)
    std::optional<std::string> JyobunNaiyou; // 条文内容 (ends with CR LF)
};

// Splits pasted text into title, article number and body: an optional title
// line (brackets （） dropped), the number line (a leading 第 dropped) and the
// remaining lines. The text is normalised with ZenkakuHenkan first.
SpecialPasteFields SpecialPasteSplit(std::string_view clipboardText);
