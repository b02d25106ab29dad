// The link editor's launcher: where the authoring tables of a law live and
// the opening of the editor on the link under the caret.
#pragma once

#include <string>

// Folder of the authoring article tables of law tab i ("" when neither drive
// holds them); C: is preferred over D:.
std::string MasterJyobunPath(int i);
// Folder of the authoring code master of law tab i ("" when neither drive
// holds it).
std::string MasterCd12Path(int i);

// Opens the link editor on the article shown in law tab i.
void HyperLinkFormOpen(int i);
