#include "app/web_pages.h"

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
