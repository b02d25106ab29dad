// The program's global state: presence flags, per-tab control, dataset and
// file-name arrays, per-tab state and the shared scalars. Plain variables
// only; NamepasReset() returns everything to its start values (tests start
// from it, and MainArraysSet sets the run's values on top of it).
#pragma once

#include "platform/db/dataset.h"

#include <array>
#include <cstdint>
#include <string>

namespace ui {
class TabSheet;
class Edit;
class ComboBox;
class TreeView;
class DBGrid;
class RichEdit;
class Panel;
class Memo;
} // namespace ui

class TMain;
class THoujin;
class THbooks;
class TSplash;
class TTemp;
class TSansyo;
class TMemoWindow;
class THyperLink;
class TTool;

// Law-tab index (not the page order of the main window).
enum TJyobunTab { Houjin = 0, Syohi = 1, Gen = 2, Toku = 3, Zoku = 4, Min = 5 };
// Book-tab index.
enum TBooksTab { Hbooks = 0, Sbooks = 1, Tbooks = 2 };

inline constexpr int JyobunTabCount = 6;
inline constexpr int BooksTabCount = 3;
inline constexpr int JyobunSQLCount = 15;
inline constexpr int BooksSQLCount = 10;

template <typename T> using JyobunArray = std::array<T, JyobunTabCount>;
template <typename T> using BooksArray = std::array<T, BooksTabCount>;

// Presence flags: 0 present, 1 absent.
extern JyobunArray<int> JyobunTabHidden;
extern BooksArray<int> BooksTabHidden;

// Per-tab controls of the main window (empty for absent tabs, except sheets).
extern JyobunArray<ui::TabSheet*> JyobunTabSheet;
extern JyobunArray<ui::Edit*> JyobunEditKey1;
extern JyobunArray<ui::Edit*> JyobunEditKey2;
extern JyobunArray<ui::Edit*> JyobunEditBangou;
extern JyobunArray<ui::ComboBox*> JyobunComboBox;
extern JyobunArray<ui::TreeView*> JyobunTreeView;
extern JyobunArray<ui::DBGrid*> JyobunDBGrid;
extern JyobunArray<ui::RichEdit*> JyobunRichEdit;
extern JyobunArray<ui::Panel*> JyobunPanel2;

extern BooksArray<ui::TabSheet*> BooksTabSheet;
extern BooksArray<ui::Edit*> BooksEditKey1;
extern BooksArray<ui::Edit*> BooksEditKey2;
extern BooksArray<ui::Edit*> BooksEditPage;
extern BooksArray<ui::ComboBox*> BooksComboBox;
extern BooksArray<ui::DBGrid*> BooksDBGrid;
extern BooksArray<ui::RichEdit*> BooksRichEdit;
extern BooksArray<ui::Memo*> BooksMemo;
extern BooksArray<ui::Panel*> BooksPanel3;

// Per-tab datasets, filled by the data modules.
extern JyobunArray<db::Table*> JyobunMainTable;
extern JyobunArray<db::Table*> JyobunMainTable2;
extern JyobunArray<db::Table*> JyobunSubTable;
extern JyobunArray<db::Table*> JyobunLinkTable;
extern JyobunArray<db::Table*> JyobunTreeTable;
extern JyobunArray<db::DataSource*> JyobunMainSource;
extern BooksArray<db::Table*> BooksMainTable;
extern BooksArray<db::Table*> BooksSubTable;
extern BooksArray<db::Table*> BooksNameTable;
extern BooksArray<db::Table*> BooksJumpTable;
extern BooksArray<db::Table*> BooksUrlTable;
extern BooksArray<db::DataSource*> BooksMainSource;
extern std::array<db::Query*, JyobunSQLCount> JyobunSQL;
extern std::array<db::Query*, BooksSQLCount> BooksSQL;

// Table file names, set at start-up for present tabs only.
extern JyobunArray<std::string> JyobunMainTableName;
extern JyobunArray<std::string> JyobunSubTableName;
extern JyobunArray<std::string> JyobunTable3Name;
extern JyobunArray<std::string> JyobunLinkTableName;
extern JyobunArray<std::string> JyobunTreeTableName;
extern JyobunArray<std::string> JyobunFile6Name;
extern BooksArray<std::string> BooksMainTableName;
extern BooksArray<std::string> BooksSubTableName;
extern BooksArray<std::string> BooksNameTableName;
extern BooksArray<std::string> BooksJumpTableName;
extern BooksArray<std::string> BooksUrlTableName;

// Per-tab state.
extern JyobunArray<std::string> JyobunKeyWord1;
extern JyobunArray<std::string> JyobunKeyWord2;
extern BooksArray<std::string> BooksKeyWord1;
extern BooksArray<std::string> BooksKeyWord2;
extern JyobunArray<std::string> JyobunRtfCache; // rich text of the shown article
extern JyobunArray<int> TreeBusy;
extern JyobunArray<int> RirekiStored;

// Shared scalars.
extern int TabNo;
extern int MemoLinkMode;
extern int LinkBusy;
extern std::string MemoRtfStream;
extern int MemoTabNo;
extern int JyobunSQLNo;
extern int BooksSQLNo;
extern int RirekiTop;
extern int RirekiCur;
extern int RirekiLast;
extern int RirekiWrapped;
// One place of the history. The sheet and the dataset are borrowed: both
// live for the whole run, and a pooled query may since show another result.
struct TCasheData {
    ui::TabSheet* TabSheet = nullptr; // none: the entry was never written
    db::Dataset* DataSet = nullptr;
    std::string Filter;
    bool Filtered = false;
    int RowKey = 0; // Gyo, or BookSeq on a book tab
    int SelStart = 0;
    std::string KeyWord1;
    std::string KeyWord2;
    std::string NumberText; // article number, or page on a book tab
    int ScopeIndex = 0;
    int PanelHeight = 0;
    int TreeWidth = 0; // law tabs only
};
inline constexpr int RirekiCount = 101;
extern std::array<TCasheData, RirekiCount> Rireki;
extern std::array<std::string, 51> IndexKanji;
extern int KaiseiNo;
extern std::string HyperKubunNo;
extern int HyperLinkOpen;
extern int HyperLinkDeleted;
// Start-up and search timer: the tick count in ms, then the elapsed time in
// ten-thousandths of a second (a fixed-point value with four places).
extern std::int64_t LapTime;
extern db::StringList SqlText; // the SQL being built
extern std::string SearchWord;
extern int SansyoHanni;
extern int SansyoMemo;
extern int SansyoSize;
extern int SansyoKubunNo;
extern int SansyoCode;
extern std::string MasterDataRoot;

// The forms and data modules.
extern TMain* Main;
// Named after their units: Houjin and Hbooks are tab indexes.
extern THoujin* HoujinDb;
extern THbooks* HbooksDb;
extern TSplash* Splash;
extern TTemp* Temp;
extern TSansyo* Sansyo;
extern TMemoWindow* MemoWindow; // the memo window created last
extern THyperLink* HyperLink;
extern TTool* Tool;

// IndexKanji[0..50] := the 51 index kanji in their fixed order.
void IndexKanjiSet();

// Everything back to its start values (controls and datasets forgotten, not
// freed; every tab absent until start-up sets the flags; IndexKanji filled).
void NamepasReset();
