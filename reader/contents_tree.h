// The contents tree of a law tab: loaded from the tab's tree file, following
// the article being read, and showing the article of a clicked node.
#pragma once

// Loads JyobunTreeView[i] from JyobunFile6Name[i]: width 235, grids refitted,
// all nodes collapsed and node 0 selected. Throws when the file is missing,
// unreadable or malformed; the tree is left empty then.
void MokujiTreeLoad(int i);
// Selects the node of the article on law tab i's grid row, with up to eight
// earlier nodes of its own or a shallower level above it.
void MokujiTreeSync(int i);
// Shows the article of the selected node (or of the node after it) in the
// whole main table.
void MokujiTreeJump(int i);
// Moves the main table up to six rows on and back, so that the grid shows
// those rows below the current one.
void DBGridRowCentre(int i);
