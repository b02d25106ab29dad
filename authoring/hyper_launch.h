// The link editor's launcher: where the authoring tables of a law live and
// the opening of the editor on the link under the caret.
#pragma once

#include <string>

// Folder of the authoring article and link tables of law tab i on the drive
// MasterDataRoot ("" for an i outside 0..5).
std::string MasterJyobunPath(int i);
// Folder of the article table that ties the reader's Gyo to ＫＥＹ, for law
// tab i on the drive MasterDataRoot ("" for an i outside 0..5).
std::string MasterCd12Path(int i);

// Opens the link editor on the article shown in law tab i.
void HyperLinkFormOpen(int i);

// Closes an open link editor as its own close does (its pending edits are
// posted); false when it stays open because one could not be.
bool HyperLinkFormClose();
