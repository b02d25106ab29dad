#include "data/namepas.h"

#include "platform/text/sjis.h"

JyobunArray<int> JyobunTabHidden;
BooksArray<int> BooksTabHidden;

JyobunArray<ui::TabSheet*> JyobunTabSheet;
JyobunArray<ui::Edit*> JyobunEditKey1;
JyobunArray<ui::Edit*> JyobunEditKey2;
JyobunArray<ui::Edit*> JyobunEditBangou;
JyobunArray<ui::ComboBox*> JyobunComboBox;
JyobunArray<ui::TreeView*> JyobunTreeView;
JyobunArray<ui::DBGrid*> JyobunDBGrid;
JyobunArray<ui::RichEdit*> JyobunRichEdit;
JyobunArray<ui::Panel*> JyobunPanel2;

BooksArray<ui::TabSheet*> BooksTabSheet;
BooksArray<ui::Edit*> BooksEditKey1;
BooksArray<ui::Edit*> BooksEditKey2;
BooksArray<ui::Edit*> BooksEditPage;
BooksArray<ui::ComboBox*> BooksComboBox;
BooksArray<ui::DBGrid*> BooksDBGrid;
BooksArray<ui::RichEdit*> BooksRichEdit;
BooksArray<ui::Memo*> BooksMemo;
BooksArray<ui::Panel*> BooksPanel3;

JyobunArray<db::Table*> JyobunMainTable;
JyobunArray<db::Table*> JyobunMainTable2;
JyobunArray<db::Table*> JyobunSubTable;
JyobunArray<db::Table*> JyobunLinkTable;
JyobunArray<db::Table*> JyobunTreeTable;
JyobunArray<db::DataSource*> JyobunMainSource;
BooksArray<db::Table*> BooksMainTable;
BooksArray<db::Table*> BooksSubTable;
BooksArray<db::Table*> BooksNameTable;
BooksArray<db::Table*> BooksJumpTable;
BooksArray<db::Table*> BooksUrlTable;
BooksArray<db::DataSource*> BooksMainSource;
std::array<db::Query*, JyobunSQLCount> JyobunSQL;
std::array<db::Query*, BooksSQLCount> BooksSQL;

JyobunArray<std::string> JyobunMainTableName;
JyobunArray<std::string> JyobunSubTableName;
JyobunArray<std::string> JyobunTable3Name;
JyobunArray<std::string> JyobunLinkTableName;
JyobunArray<std::string> JyobunTreeTableName;
JyobunArray<std::string> JyobunFile6Name;
BooksArray<std::string> BooksMainTableName;
BooksArray<std::string> BooksSubTableName;
BooksArray<std::string> BooksNameTableName;
BooksArray<std::string> BooksJumpTableName;
BooksArray<std::string> BooksUrlTableName;

JyobunArray<std::string> JyobunKeyWord1;
JyobunArray<std::string> JyobunKeyWord2;
BooksArray<std::string> BooksKeyWord1;
BooksArray<std::string> BooksKeyWord2;
JyobunArray<std::string> JyobunRtfCache;
JyobunArray<int> TreeBusy;
JyobunArray<int> RirekiStored;

int TabNo;
int MemoLinkMode;
int LinkBusy;
std::string MemoRtfStream;
int MemoTabNo;
int JyobunSQLNo;
int BooksSQLNo;
int RirekiTop;
int RirekiCur;
int RirekiLast;
int RirekiWrapped;
std::array<TCasheData, RirekiCount> Rireki;
std::array<std::string, 51> IndexKanji;
int KaiseiNo;
std::string HyperKubunNo;
int HyperLinkOpen;
int HyperLinkDeleted;
std::int64_t LapTime;
db::StringList SqlText;
std::string SearchWord;
int SansyoHanni;
int SansyoMemo;
int SansyoSize;
int SansyoKubunNo;
int SansyoCode;
std::string MasterDataRoot;

TMain* Main;
THoujin* HoujinDb;
THbooks* HbooksDb;
TSplash* Splash;
TTemp* Temp;
TSansyo* Sansyo;
TMemoWindow* MemoWindow;
THyperLink* HyperLink;
TTool* Tool;

void IndexKanjiSet()
{
    static const std::array<const char*, 51> kanji = {
        "慶", "災", "寄", "役", "交", "換", "株", "与", "債", "繰", "続", "品", "配",
        "譲", "帳", "貸", "判", "証", "売", "営", "割", "約", "権", "保", "会", "社",
        "建", "使", "償", "費", "収", "引", "時", "利", "地", "設", "益", "損", "外",
        "準", "出", "日", "価", "産", "資", "得", "計", "年", "特", "事", "金",
    };
    for (std::size_t k = 0; k < kanji.size(); ++k)
        IndexKanji[k] = sjis::fromUtf8(kanji[k]);
}

void NamepasReset()
{
    JyobunTabHidden.fill(1);
    BooksTabHidden.fill(1);

    JyobunTabSheet.fill(nullptr);
    JyobunEditKey1.fill(nullptr);
    JyobunEditKey2.fill(nullptr);
    JyobunEditBangou.fill(nullptr);
    JyobunComboBox.fill(nullptr);
    JyobunTreeView.fill(nullptr);
    JyobunDBGrid.fill(nullptr);
    JyobunRichEdit.fill(nullptr);
    JyobunPanel2.fill(nullptr);
    BooksTabSheet.fill(nullptr);
    BooksEditKey1.fill(nullptr);
    BooksEditKey2.fill(nullptr);
    BooksEditPage.fill(nullptr);
    BooksComboBox.fill(nullptr);
    BooksDBGrid.fill(nullptr);
    BooksRichEdit.fill(nullptr);
    BooksMemo.fill(nullptr);
    BooksPanel3.fill(nullptr);

    JyobunMainTable.fill(nullptr);
    JyobunMainTable2.fill(nullptr);
    JyobunSubTable.fill(nullptr);
    JyobunLinkTable.fill(nullptr);
    JyobunTreeTable.fill(nullptr);
    JyobunMainSource.fill(nullptr);
    BooksMainTable.fill(nullptr);
    BooksSubTable.fill(nullptr);
    BooksNameTable.fill(nullptr);
    BooksJumpTable.fill(nullptr);
    BooksUrlTable.fill(nullptr);
    BooksMainSource.fill(nullptr);
    JyobunSQL.fill(nullptr);
    BooksSQL.fill(nullptr);

    const std::string none;
    JyobunMainTableName.fill(none);
    JyobunSubTableName.fill(none);
    JyobunTable3Name.fill(none);
    JyobunLinkTableName.fill(none);
    JyobunTreeTableName.fill(none);
    JyobunFile6Name.fill(none);
    BooksMainTableName.fill(none);
    BooksSubTableName.fill(none);
    BooksNameTableName.fill(none);
    BooksJumpTableName.fill(none);
    BooksUrlTableName.fill(none);

    JyobunKeyWord1.fill(none);
    JyobunKeyWord2.fill(none);
    BooksKeyWord1.fill(none);
    BooksKeyWord2.fill(none);
    JyobunRtfCache.fill(none);
    TreeBusy.fill(0);
    RirekiStored.fill(0);

    TabNo = -1;
    MemoLinkMode = 0;
    LinkBusy = 0;
    MemoRtfStream.clear();
    MemoTabNo = 0;
    JyobunSQLNo = -1;
    BooksSQLNo = -1;
    RirekiTop = 0;
    RirekiCur = 0;
    RirekiLast = 0;
    RirekiWrapped = 0;
    Rireki.fill(TCasheData{});
    IndexKanjiSet();
    KaiseiNo = 110630;
    HyperKubunNo = "10";
    HyperLinkOpen = 0;
    HyperLinkDeleted = 0;
    LapTime = 0;
    SqlText.clear();
    SearchWord.clear();
    SansyoHanni = 0;
    SansyoMemo = 0;
    SansyoSize = 0;
    SansyoKubunNo = 0;
    SansyoCode = 0;
    MasterDataRoot.clear();

    Main = nullptr;
    HoujinDb = nullptr;
    HbooksDb = nullptr;
    Splash = nullptr;
    Temp = nullptr;
    Sansyo = nullptr;
    MemoWindow = nullptr;
    HyperLink = nullptr;
    Tool = nullptr;
}
