#include "client/gzip_body.h"

#include "gzip_pack.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

const QString kTruncated = QStringLiteral("Niepełna odpowiedź gzip");

// Text that packs well, as replies do, followed by bytes that do not.
QByteArray SampleBody(qsizetype size)
{
    QByteArray body;
    body.reserve(size);
    while (body.size() < size / 2)
        body += "[[1,42],[2,\"Czytelnia G\\u0142\\u00F3wna\"],[3,\"QUJDRA==\"]],";
    QRandomGenerator random(7);
    while (body.size() < size)
        body += static_cast<char>(random.bounded(256));
    return body;
}

TEST(Gunzip, UnpacksWhatZlibPacked)
{
    const qsizetype sizes[] = {/* 0*/ 1, /* 1*/ 100, /* 2*/ 70000, /* 3*/ 5 << 20};
    for (const qsizetype size : sizes) {
        const QByteArray body = SampleBody(size);
        QByteArray out;
        QString error;
        EXPECT_TRUE(Gunzip(GzipMember(body), out, error)) << size;
        EXPECT_EQ(error, QString()) << size;
        EXPECT_EQ(out, body) << size;
    }
}

TEST(Gunzip, JoinsMembersWrittenOneAfterAnother)
{
    const QByteArray first = SampleBody(3000);
    const QByteArray packed =
        GzipMember(first) + GzipMember(QByteArray()) + GzipMember("ostatni") + GzipMember("!");
    QByteArray out;
    QString error;
    EXPECT_TRUE(Gunzip(packed, out, error));
    EXPECT_EQ(out, first + "ostatni!");
    EXPECT_EQ(error, QString());
}

TEST(Gunzip, EmptyInputIsAnEmptyBody)
{
    QByteArray out = "stare";
    QString error = QStringLiteral("stary");
    EXPECT_TRUE(Gunzip(QByteArray(), out, error));
    EXPECT_TRUE(out.isEmpty());
    EXPECT_EQ(error, QString());
}

TEST(Gunzip, EveryCutShortMemberIsAnError)
{
    const QByteArray packed = GzipMember(SampleBody(400));
    for (qsizetype length = 1; length < packed.size(); ++length) {
        QByteArray out;
        QString error;
        EXPECT_FALSE(Gunzip(packed.left(length), out, error)) << length;
        EXPECT_EQ(error, kTruncated) << length;
        EXPECT_TRUE(out.isEmpty()) << length;
    }
    QByteArray out;
    QString error;
    EXPECT_FALSE(Gunzip(packed + packed.left(20), out, error));
    EXPECT_EQ(error, kTruncated);
}

TEST(Gunzip, CorruptInputNamesZlibsReason)
{
    QByteArray badChecksum = GzipMember("[1,2,3]");
    badChecksum[badChecksum.size() - 6] =
        static_cast<char>(badChecksum[badChecksum.size() - 6] ^ 1);
    struct Row
    {
        QByteArray in;
        const char* error;
    } rows[] = {
        /* 0*/ {"[1,2,3]", "Uszkodzona odpowiedź gzip (incorrect header check)"},
        /* 1*/ {GzipMember("[1]") + "[2]", "Uszkodzona odpowiedź gzip (incorrect header check)"},
        /* 2*/ {badChecksum, "Uszkodzona odpowiedź gzip (incorrect data check)"},
        /* 3*/
        {QByteArray("\x1F\x8B\x08\x00\x00\x00\x00\x00\x00\x03\xFF\xFF\xFF\xFF", 14),
         "Uszkodzona odpowiedź gzip (invalid block type)"},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        QByteArray out;
        QString error;
        EXPECT_FALSE(Gunzip(rows[i].in, out, error)) << i;
        EXPECT_EQ(error, QString::fromUtf8(rows[i].error)) << i;
        EXPECT_TRUE(out.isEmpty()) << i;
    }
}

TEST(Gunzip, StopsAtTheSizeLimit)
{
    // A megabyte of zeros packs into about a kilobyte: a small bomb.
    const QByteArray zeros(1 << 20, '\0');
    const QByteArray packed = GzipMember(zeros);
    QByteArray out;
    QString error;
    EXPECT_FALSE(Gunzip(packed, out, error, 1000));
    EXPECT_EQ(error, QStringLiteral("Rozpakowana odpowiedź przekracza 1000 bajtów"));
    EXPECT_TRUE(out.isEmpty());

    EXPECT_TRUE(Gunzip(packed, out, error, zeros.size()));
    EXPECT_EQ(out, zeros);
    EXPECT_FALSE(Gunzip(packed + GzipMember("x"), out, error, zeros.size()));
}

} // namespace
