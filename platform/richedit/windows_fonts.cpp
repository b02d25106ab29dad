#include "platform/richedit/windows_fonts.h"

#include "platform/text/sjis.h"

#include <QString>

#include <string>

namespace ui {

void installWindowsFonts()
{
    static const bool installed = [] {
        const struct {
            std::string windowsName;
            const char* family;
        } fonts[] = {
            {"ＭＳ 明朝"_sj, "IPAMincho"},
            {"ＭＳ ゴシック"_sj, "IPAGothic"},
            {"ＭＳ Ｐゴシック"_sj, "IPAPGothic"},
        };
        for (const auto& f : fonts)
            QFont::insertSubstitution(sjis::toQString(f.windowsName), QString::fromLatin1(f.family));
        return true;
    }();
    (void)installed;
}

QFont ArticleFont()
{
    installWindowsFonts();
    QFont font(sjis::toQString("ＭＳ 明朝"_sj));
    font.setPixelSize(16);
    return font;
}

} // namespace ui
