// The link editor's pages リンク登録 and リンク一覧: the proposal from a
// selected phrase, the code label, the checks and the registration of a link
// definition, and deleting one.
#pragma once

#include <functional>
#include <string>
#include <string_view>

class THyperLink;

// The registration page filled from `phrase` for the current row: ＫＥＹ,
// 条件, the proposed code and article number, the code's label.
void HyperProposalFill(THyperLink& form, const std::string& phrase);
// LinkLabel := 条文区分 of the master row of the code edit's text, or "未登録".
void HyperLinkLabelSet(THyperLink& form);
// True when the code is one of the circulars' codes.
bool HyperTsutatsuCheck(std::string_view code);

// What a registration checks, as the page and the current row hold it.
struct LinkEntry {
    std::string key;     // ＫＥＹ edit
    std::string jyoken;  // 条件
    std::string honbun;  // リンク条文本文
    std::string code;    // リンク条文番号
};
struct ArticleRow {
    std::string key;     // ＫＥＹ
    std::string kubunNo; // 条文連番
    std::string bangou;  // 条文本文
};
// The message that refuses `entry`, or "" when it may be registered.
// `duplicate` is asked (with ＫＥＹ and code as integers) once the earlier
// checks passed; a ＫＥＹ or code that is no integer throws there.
std::string HyperLinkRefusal(const LinkEntry& entry, const ArticleRow& row,
                             const std::function<bool(int key, int code)>& duplicate);

// The registration of the page's proposal; `closeAfter` for "登　録", which
// closes the form, else ("登録２") a confirmation and the form stays.
void HyperLinkRegister(THyperLink& form, bool closeAfter);
// Asks, then deletes the current link.
void HyperLinkDelete(THyperLink& form);
