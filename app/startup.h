// The steps of start-up after the splash, in the order ProgramEntry runs
// them, and the reader that they create.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

class TMain;
class THoujin;
class THbooks;

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

// The steps before the forms, in start-up's order: the answer tables deleted,
// the presence flags set (`presenceFlagsSet` decides which tabs are present),
// KidouStart, the table file names and the application title.
void StartUpSteps(std::string_view title, void (*presenceFlagsSet)() = PresenceFlagsSet);

// The reader from the single-instance test on: StartUpSteps, then the main
// form (into Main), the law data module and the book data module. A table that cannot be opened shows in the
// default error box and start-up goes on; an error creating the main form
// escapes. The object owns the three and frees the data modules first.
class ReaderSession {
public:
    // `presenceFlagsSet` decides which tabs are present (tests present others);
    // `mainFormCreated` runs once the main form carries the title, before the
    // data modules open the tables.
    explicit ReaderSession(std::string_view title, void (*presenceFlagsSet)() = PresenceFlagsSet,
                           const std::function<void(TMain&)>& mainFormCreated = {});
    ~ReaderSession();
    ReaderSession(const ReaderSession&) = delete;
    ReaderSession& operator=(const ReaderSession&) = delete;

    TMain& MainForm() const;
    THoujin& HoujinModule() const;
    THbooks& HbooksModule() const;

private:
    std::unique_ptr<TMain> main_;
    std::unique_ptr<THoujin> houjin_;
    std::unique_ptr<THbooks> hbooks_;
};
