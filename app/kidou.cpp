#include "app/kidou.h"

#include "app/mainpas.h"
#include "data/namepas.h"
#include "platform/app/system.h"
#include "platform/text/sjis.h"
#include "platform/ui/status_bar.h"

void KidouStart()
{
    LapTime = platform::Sys().TickCount();
    SqlText.clear();
}

void KidouEnd()
{
    LapTime = (platform::Sys().TickCount() - LapTime) * 10;
    Main->StatusBar1->Panels(1).SetText("起動時間： "_sj + LapTimeText(LapTime) + " 秒"_sj);
}

std::string LapTimeText(std::int64_t lapTime)
{
    std::string text = std::to_string(lapTime / 10000);
    std::string fraction = std::to_string(10000 + lapTime % 10000).substr(1);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (!fraction.empty())
        text += "." + fraction;
    return text;
}
