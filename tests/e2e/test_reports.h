#pragma once

#include "e2e_client.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

// Three reports for the simulator, as its reports 10, 11 and 12: the end
// of a description alone, a long one, and an empty file.
struct TestReports
{
    explicit TestReports(const QByteArray& big) : bytes{QByteArray("[END]\r\n"), big, QByteArray()}
    {}
    QByteArray bytes[3];

    void PutInto(const SimServer& sim) const
    {
        for (int n = 0; n < 3; ++n)
            ASSERT_TRUE(sim.PutDataFile(QStringLiteral("reports/%1.txt").arg(n + 10), bytes[n]));
    }

    // Each downloaded into a file must arrive byte for byte; the long one
    // as text must have its length and begin with `start`.
    void ExpectArriveWhole(TNuraClient& client, const QString& mode, const QString& start) const
    {
        QTemporaryDir folder;
        for (int n = 0; n < 3; ++n) {
            const QString target = folder.filePath(QStringLiteral("report%1.tmp").arg(n));
            EXPECT_TRUE(client.ReportProcedure(n + 10, QStringLiteral("||"), target)) << n;
            EXPECT_EQ(ReadFile(target), bytes[n]) << mode.toStdString() << n;
        }
        QString text;
        client.ReportProcedureText(11, QStringLiteral("||"), text);
        EXPECT_EQ(text.size(), bytes[1].size());
        EXPECT_TRUE(text.startsWith(start));
    }
};
