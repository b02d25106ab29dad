// The steps of start-up that come before the main window, in the order
// ProgramEntry runs them.
#pragma once

#include <string>
#include <string_view>

// "Ronvetta", or the developer build's title, which carries "β".
std::string ApplicationTitleText(bool developerBuild);
// A developer build's title: it never looks for a running instance and shows
// the developer items.
bool IsDeveloperTitle(std::string_view title);

// True when another instance with this title runs (it has been brought to the
// front) and this process is to end. A developer title never looks.
bool SingleInstanceTest(std::string_view title);
// Deletes the answer tables "_QSQ1.DB" ... "_QSQ99.DB" left by earlier runs.
void QsqFilesDelete();
// This build presents 消費税, 消費目次 and 会社法民法.
void PresenceFlagsSet();
// The table file names of every present tab.
void TableFileNamesSet();
