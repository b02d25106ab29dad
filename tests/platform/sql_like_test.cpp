#include "platform/db/dataset.h"
#include "platform/db/sql_like.h"
#include "platform/db/sql_rewrite.h"
#include "platform/text/sjis.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

struct LikeCase {
    const char* what;
    std::string pattern;
    std::string value;
    bool match;
};

TEST(SqlLike, MatchesCharactersNotBytes)
{
    const std::string ma = "末"_sj;           // 96 96
    const std::string hon = "本"_sj;          // 96 7B
    const std::string star = "＊"_sj;         // 81 96
    const std::string so = "ソ"_sj;           // 83 5C
    const std::string hyo = "表"_sj;          // 95 5C
    const std::string da = "ダ"_sj;           // 83 5F
    ASSERT_EQ(star + hon, "\x81\x96\x96\x7B"); // 96 96 across two characters

    const LikeCase cases[] = {
        {"contains", "%課税%"_sj, "消費課税の"_sj, true},
        {"absent", "%課税%"_sj, "消費税"_sj, false},
        {"not from a second byte", "%" + ma + "%", star + hon, false},
        {"found after a false hit", "%" + ma + "%", star + hon + ma, true},
        {"suffix on a second byte", "%" + ma, star + "\x96", false},
        {"suffix", "%" + ma, hon + ma, true},
        {"so is no escape", "%" + so + "%", "ソフト"_sj, true},
        {"so does not match a backslash", "%" + so + "%", "\\", false},
        {"hyo is one character", "%" + hyo + "%", "別表第１"_sj, true},
        {"da is no wildcard", "%" + da + "%", "アイ"_sj, false},
        {"da itself", "%" + da + "%", "ダム"_sj, true},
        {"underscore is one double-byte character", "_", "課"_sj, true},
        {"two underscores need two characters", "__", "課"_sj, false},
        {"underscore inside", "%a_c%", "xa課c"_sj, true},
        {"underscore after a literal", "課_"_sj, "課税"_sj, true},
        {"percent alone", "%", "", true},
        {"no wildcard: whole value", "abc", "abcd", false},
        {"no wildcard: equal", "abc", "abc", true},
        {"prefix", "課%"_sj, "課税"_sj, true},
        {"prefix elsewhere", "課%"_sj, "消課"_sj, false},
        {"case-sensitive", "%abc%", "xABCx", false},
        {"segments in order", "%課%税%"_sj, "課が税"_sj, true},
        {"segments out of order", "%課%税%"_sj, "税が課"_sj, false},
        {"full-width percent is literal", "%％%"_sj, "１０％"_sj, true},
        {"full-width percent is no wildcard", "%％%"_sj, "１０"_sj, false},
        {"underscore tail", "%課_"_sj, "x課税"_sj, true},
        {"underscore tail too short", "%課_"_sj, "x課"_sj, false},
        {"empty value", "_", "", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(db::LikePattern(c.pattern).matches(c.value), c.match) << c.what;
}

TEST(SqlRewrite, FileBecomesTableAndLiteralsParameters)
{
    const auto r = db::RewriteSql("SELECT DISTINCT Gyo,KubunNo \r\nFROM E2.db \r\n"
                                  "WHERE ( Honbun LIKE '%O''Brien" + "ソ"_sj + "%') \r\n"
                                  "AND ( KubunNo >= 700 ) \r\nORDER BY Gyo \r\n");
    EXPECT_EQ(r.fileName, "E2.db");
    EXPECT_EQ(r.sql, "SELECT DISTINCT Gyo,KubunNo   FROM data   WHERE ( Honbun LIKE ?)   "
                     "AND ( KubunNo >= 700 )   ORDER BY Gyo   ");
    ASSERT_EQ(r.literals.size(), 1u);
    EXPECT_EQ(r.literals[0], "%O'Brien" + "ソ"_sj + "%");

    const auto japanese = db::RewriteSql("SELECT ＫＥＹ FROM "_sj + "条文本文.db"_sj);
    EXPECT_EQ(japanese.fileName, "条文本文.db"_sj);
    EXPECT_EQ(japanese.sql, "SELECT ＫＥＹ FROM data");
}

// The test goes before the WHERE clause, so that it sees every row once; a
// statement that could not show it every row once gets none.
TEST(SqlRewrite, EveryRowTestedInTheStatementsOwnPass)
{
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"SELECT DISTINCT Gyo FROM data WHERE ( a IN (SELECT b FROM data LIMIT 1) ) ORDER BY \"Limit\"",
         "SELECT DISTINCT Gyo FROM data WHERE t OR ( ( a IN (SELECT b FROM data LIMIT 1) ) ) "
         "ORDER BY \"Limit\""},
        {"SELECT count(*) FROM data", "SELECT count(*) FROM data WHERE t OR 1 "},
        {"SELECT a FROM data ORDER BY a, b", "SELECT a FROM data  WHERE t OR 1 ORDER BY a, b"},
        {"SELECT a FROM data WHERE b GROUP BY a", "SELECT a FROM data WHERE t OR ( b ) GROUP BY a"},
        {"SELECT a FROM (SELECT a FROM data)", std::nullopt},
        {"SELECT a FROM data WHERE b LIMIT 5", std::nullopt}, {"SELECT a FROM data, data b", std::nullopt},
        {"SELECT a FROM data UNION SELECT b FROM data", std::nullopt},
        {"PRAGMA table_info(data)", std::nullopt},
    };
    for (const auto& [sql, tested] : cases)
        EXPECT_EQ(db::WithEveryRowTested(sql, "t"), tested) << sql;
}

TEST(SqlRewrite, RefusesWhatCannotRun)
{
    for (const std::string bad : {"SELECT Gyo FROM E2.db WHERE ( Honbun LIKE '%a'b%') ",
                                  "SELECT 1", "SELECT a FROM E1.db, E2.db x FROM E3.db"}) {
        EXPECT_THROW(db::RewriteSql(bad), db::Error) << bad;
    }
}

} // namespace
