#include "config/config_file_name.h"
#include "config/config_path.h"

#include "config_test_files.h"

#include <gtest/gtest.h>

TEST(ConfigurationFileName, Table)
{
    const struct
    {
        const char* program;
        QStringList arguments;
        const char* expected;
    } rows[] = {
        /* 0*/ {"/opt/z/czytelnia", {}, "/opt/z/czytelnia.ini"},
        /* 1*/ {"/opt/z.d/czytelnia.bin", {}, "/opt/z.d/czytelnia.ini"},
        /* 2*/ {"/opt/z/czytelnia", {U("-platform"), U("x")}, "/opt/z/czytelnia.ini"},
        /* 3*/ {"/opt/z/czytelnia", {U("sala2"), U("-v")}, "/opt/z/sala2.ini"},
        /* 4*/ {"/opt/z/czytelnia", {U("sala2.cfg")}, "/opt/z/sala2.cfg"},
        /* 5*/ {"/opt/z/czytelnia", {U("./x.d/sala")}, "./x.d/sala.ini"},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(ConfigurationFileName(U(rows[i].program), rows[i].arguments), U(rows[i].expected))
            << "row " << i;
    }
}

TEST(LocalPath, Table)
{
    const struct
    {
        const char* value;
        const char* expected;
    } rows[] = {
        /* 0*/ {".\\kat.ini", "/etc/z/kat.ini"},
        /* 1*/ {"..\\wspolne\\kat.ini", "/etc/wspolne/kat.ini"},
        /* 2*/ {"/srv/kat.ini", "/srv/kat.ini"},
        /* 3*/ {"/srv/z/\\kat.ini", "/srv/z/kat.ini"}, // "%INI%\kat.ini"
        /* 4*/ {".\\tmp\\", "/etc/z/tmp/"},
    };
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(LocalPath(U(rows[i].value), U("/etc/z/")), U(rows[i].expected)) << "row " << i;
}
