#include "data_paths.h"
#include "entry_lists.h"
#include "password_check.h"
#include "visit_registry.h"

#include "client/password_encoding.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(DecodePassword, ReversesTheClientsEncoding)
{
    const std::vector<std::pair<QString, qint32>> rows = {
        /* 0*/ {QStringLiteral("demo"), 373159},
        /* 1*/ {QStringLiteral("Żółw-1 z €"), 1000},
        /* 2*/ {QStringLiteral("a"), 999999},
        /* 3*/ {QStringLiteral("plain"), 0},
    };
    for (size_t i = 0; i < rows.size(); ++i) {
        const auto& [password, challenge] = rows[i];
        const std::optional<QString> decoded =
            DecodePassword(EncodePassword(password, challenge), challenge);
        ASSERT_TRUE(decoded.has_value()) << i;
        EXPECT_EQ(*decoded, password) << i;
    }
    // Challenge 7, character code 65: the digit string 273 is sent as 327.
    EXPECT_EQ(DecodePassword(QStringLiteral("327"), 7), QStringLiteral("A"));
}

TEST(DecodePassword, RefusesTextThatIsNoEncoding)
{
    for (const char* text : {/* 0*/ "9", /* 1*/ "0", /* 2*/ "32+", /* 3*/ "3 7 2", /* 4*/ "x27"})
        EXPECT_FALSE(DecodePassword(QString::fromLatin1(text), 7).has_value()) << text;
}

TEST(PathInside, KeepsNamesInsideTheFolder)
{
    const QString root = QStringLiteral("/data/files");
    const std::vector<std::pair<const char*, const char*>> rows = {
        /* 0*/ {"a.txt", "/data/files/a.txt"},
        /* 1*/ {"sub\\b.txt", "/data/files/sub/b.txt"},
        /* 2*/ {"sub//c.txt", "/data/files/sub/c.txt"},
        /* 3*/ {"../users.json", ""},
        /* 4*/ {"sub/../../x", ""},
        /* 5*/ {"/etc/passwd", ""},
        /* 6*/ {"\\\\server\\share", ""},
        /* 7*/ {"C:\\x", ""},
        /* 8*/ {"", ""},
        /* 9*/ {"./a", ""},
    };
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(PathInside(root, QString::fromLatin1(rows[i].first)),
                  QString::fromLatin1(rows[i].second))
            << i;
}

TEST(VisitRegistry, CountsNeverGoBelowZeroAndSurviveARestart)
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("registry.json"));
    {
        VisitRegistry registry;
        ASSERT_TRUE(registry.Load(path).isEmpty());
        EXPECT_TRUE(registry.Add(QStringLiteral("2026-01-02"), QStringLiteral("CZO"), 3).isEmpty());
        EXPECT_TRUE(
            registry.Add(QStringLiteral("2026-01-02"), QStringLiteral("CZO"), -5).isEmpty());
        EXPECT_TRUE(registry.Add(QStringLiteral("2026-01-02"), QStringLiteral("CZO"), 2).isEmpty());
        EXPECT_TRUE(registry.Add(QStringLiteral("2026-01-03"), QStringLiteral("CZO"), 7).isEmpty());
    }
    VisitRegistry reloaded;
    ASSERT_TRUE(reloaded.Load(path).isEmpty());
    EXPECT_EQ(reloaded.Count(QStringLiteral("2026-01-02"), QStringLiteral("CZO")), 2);
    EXPECT_EQ(reloaded.Count(QStringLiteral("2026-01-03"), QStringLiteral("CZO")), 7);
    EXPECT_EQ(reloaded.Count(QStringLiteral("2026-01-03"), QStringLiteral("INF")), 0);
}

TEST(VisitRegistry, AFailedWriteLeavesTheCount)
{
    VisitRegistry registry;
    ASSERT_TRUE(registry.Load(QStringLiteral("/nonexistent-folder/registry.json")).isEmpty());
    EXPECT_FALSE(registry.Add(QStringLiteral("2026-01-02"), QStringLiteral("CZO"), 1).isEmpty());
    EXPECT_EQ(registry.Count(QStringLiteral("2026-01-02"), QStringLiteral("CZO")), 0);
}

// Walks a list the way the catalog loader does: first with the prefix,
// then next from each key until no entry comes.
QStringList Walk(const EntryLists& lists, qint32 kind, const QString& prefix)
{
    QStringList keys;
    std::optional<QStringList> entry = lists.First(kind, 1, prefix);
    while (entry && keys.size() < 100) {
        keys << entry->value(0);
        entry = lists.Next(kind, 1, entry->value(0), prefix);
    }
    return keys;
}

TEST(EntryLists, WalksSortedKeysWithinThePrefix)
{
    EntryLists lists;
    lists.AddList(8, 1,
                  {{QStringLiteral("051b"), QStringLiteral("K")},
                   {QStringLiteral("050"), QStringLiteral("X")},
                   {QStringLiteral("051a"), QStringLiteral("S")},
                   {QStringLiteral("052"), QStringLiteral("Y")}});
    EXPECT_EQ(Walk(lists, 8, QStringLiteral("051")),
              (QStringList{QStringLiteral("051a"), QStringLiteral("051b")}));
    EXPECT_EQ(Walk(lists, 8, QString()).size(), 4);
    EXPECT_TRUE(Walk(lists, 9, QString()).isEmpty());
    EXPECT_EQ(lists.Last(8, 1, QStringLiteral("051"))->value(0), QStringLiteral("051b"));
    EXPECT_EQ(lists.Prev(8, 1, QStringLiteral("051b"), QStringLiteral("051"))->value(0),
              QStringLiteral("051a"));
    EXPECT_FALSE(lists.Prev(8, 1, QStringLiteral("051a"), QStringLiteral("051")).has_value());
    EXPECT_EQ(lists.Exact(8, 1, QStringLiteral("052"))->value(1), QStringLiteral("Y"));
}

} // namespace
