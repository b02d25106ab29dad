// The outside web pages of the Web menu, the local help page and the About box.
#pragma once

#include <string>

// The address of web page n (1..9).
std::string NetPageAddress(int n);
// Opens web page n (1..9) through the desktop.
void NetPageOpen(int n);
// Opens "RonvettaHelp.html" of the current directory through the desktop.
void HtmlHelpOpen();
// Opens "jyokan1.html" of the current directory through the desktop.
void JyokanHelpOpen();
// The About text: its lines, each ended by a lone CR.
std::string VersionInfoText();
// The About box.
void VersionInfoShow();
