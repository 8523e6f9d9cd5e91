#include "config/ini_macro.h"

#include "config/ini_file.h"
#include "config_test_files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(MacroTable, Expand)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.ini"));
    ASSERT_TRUE(WriteBytes(path, "[GLOBAL]\n"
                                 "A=%B%x\n"
                                 "B=y\n"
                                 "Self=%self%z\n"
                                 "Raporty = %ini%raporty\n"
                                 "D=%b% - %a%\n"
                                 "Env=%ZELVORAN_MACRO_TEST%\n"));
    qputenv("ZELVORAN_MACRO_TEST", "env");
    const QString folder = dir.path() + QLatin1Char('/');
    const MacroTable table = MacroTable::Build(IniFile(path), folder);
    const struct
    {
        const char* text;
        const char* expected; // "<INI>" stands for the configuration folder
    } rows[] = {
        /* 0*/ {"%A%", "x"}, // B had no value yet when A was expanded
        /* 1*/ {"%B%", "y"},
        /* 2*/ {"%INI%", "<INI>"},
        /* 3*/ {"%self%", "z"},
        /* 4*/ {"%RAPORTY%", "<INI>raporty"},
        /* 5*/ {"%D%", "y-x"}, // text between macros loses its blanks
        /* 6*/ {"%Env%", "env"},
        /* 7*/ {"%ZELVORAN_MACRO_TEST%/dane", "env/dane"},
        /* 8*/ {"%ZELVORAN_NO_SUCH_VARIABLE%", ""},
        /* 9*/ {"a%%b", "ab"},
        /*10*/ {"przed % b ", "przedy"}, // an unpaired "%" takes the rest as the name
        /*11*/ {" bez makr ", " bez makr "},
        /*12*/ {"% b %  tekst ", "y  tekst "},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const QString expected = U(rows[i].expected).replace(QStringLiteral("<INI>"), folder);
        EXPECT_EQ(table.Expand(U(rows[i].text)), expected) << "row " << i;
    }
    qunsetenv("ZELVORAN_MACRO_TEST");
}

TEST(MacroTable, DoublingDefinitionsStayBounded)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.ini"));
    QByteArray global = "[GLOBAL]\nm0=abcdefgh\n";
    for (int i = 1; i <= 40; ++i)
        global += "m" + QByteArray::number(i) + "=%m" + QByteArray::number(i - 1) + "%%m" +
                  QByteArray::number(i - 1) + "%\n";
    ASSERT_TRUE(WriteBytes(path, global));
    const MacroTable table = MacroTable::Build(IniFile(path), QString());
    EXPECT_EQ(table.Expand(QStringLiteral("%m40%")).size(), 32767);
    EXPECT_EQ(table.Expand(QStringLiteral("%m3%")), QStringLiteral("abcdefgh").repeated(8));
}
