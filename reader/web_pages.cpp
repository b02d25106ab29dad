#include "reader/web_pages.h"

#include "platform/app/prompts.h"
#include "platform/app/system.h"
#include "platform/text/sjis.h"

#include <array>
#include <stdexcept>

std::string NetPageAddress(int n)
{
    static const std::array<const char*, 9> addresses = {
        "https://ronvetta.example.jp/support/",
        "https://elaws.e-gov.go.jp/",
        "https://www.nta.go.jp/law/tsutatsu/menu.htm",
        "https://www.nta.go.jp/taxes/shiraberu/taxanswer/index2.htm",
        "https://www.rosenka.nta.go.jp/",
        "https://www.kfs.go.jp/service/",
        "https://www.nta.go.jp/law/shitsugi/01.htm",
        "https://www.nta.go.jp/",
        "https://orvel.example.jp/kawase/",
    };
    if (n < 1 || n > 9)
        throw std::out_of_range("web page number");
    return addresses[n - 1];
}

// The desktop's answer is not examined: a page that cannot be opened is the
// browser's business.
void NetPageOpen(int n)
{
    platform::Sys().OpenDocument(NetPageAddress(n));
}

void HtmlHelpOpen()
{
    platform::Sys().OpenDocument("RonvettaHelp.html");
}

void JyokanHelpOpen()
{
    platform::Sys().OpenDocument("jyokan1.html");
}

std::string VersionInfoText()
{
    static const char* const lines[] = {
        "Ronvetta Ver1.0",
        "Copyright (C) 2009-2011 Ronvetta Project",
        "Ronvetta Project",
        "All rights reserved.",
        "TEL 03-0000-0000",
        "FAX 03-0000-0001",
        "E-MAIL support@ronvetta.example.jp",
        "URL https://ronvetta.example.jp/",
        "",
        "収録条文　平成23年7月1日現在",
        "",
        "適用事業年度開始日",
        "　平成23年4月1日～平成24年3月31日",
        "適用事業年度終了日",
        "　平成24年3月31日～平成25年3月30日",
    };
    std::string text;
    for (const char* line : lines)
        text += sjis::fromUtf8(line) + "\r";
    return text;
}

void VersionInfoShow()
{
    platform::ShowInformation(VersionInfoText(), "Ronvetta バージョン情報"_sj);
}
