// The Windows fonts the program names, drawn with the IPA fonts of this
// system. The one place where the family names are mapped.
#pragma once

#include <QFont>

namespace ui {

// Registers "ＭＳ 明朝" -> IPAMincho, "ＭＳ ゴシック" -> IPAGothic and
// "ＭＳ Ｐゴシック" -> IPAPGothic as font substitutes, so that a QFont or a
// document naming the Windows font draws with the stand-in while the name
// itself is kept (and saved again). Safe to call more than once; needs a
// QGuiApplication.
void installWindowsFonts();

// The font of every article view, the print form's included: "ＭＳ 明朝"
// 16 pixels high. Installs the substitutes first.
QFont ArticleFont();

} // namespace ui
