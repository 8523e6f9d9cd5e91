#pragma once

#include "client/ansi_codec.h"
#include "operator_messages.h"
#include "reports/recording_surface.h"
#include "reports/tbl_report.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// A report file written into a temporary folder, opened as the preview opens
// it and drawn on a recording surface at one pixel per design unit.
class ReportFixture : public testing::Test
{
protected:
    // Writes `name` (folders included) below the temporary folder as 8-bit
    // text and returns its path.
    QString Write(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    // Writes the report file (into `folder` below the temporary one) and
    // opens it; false when it cannot be shown.
    bool Open(const QStringList& description, const QStringList& data = {},
              const QString& folder = QString())
    {
        const QString name = folder.isEmpty() ? QStringLiteral("report.tmp")
                                              : folder + QStringLiteral("/report.tmp");
        const QString path = Write(name, EncodeAnsi((description + data).join(QLatin1Char('\n'))));
        m_report = tbl_report::Open(QStringLiteral("Raport"), path, m_messages, m_site);
        if (m_report)
            m_report->use_preview_surface(m_preview);
        return m_report != nullptr;
    }

    // What preview page (section, page) draws, without the white fill of
    // the page that comes first.
    QStringList Render(int section, int page)
    {
        m_preview.Clear();
        m_error = m_report->render_page(section, page);
        QStringList lines = m_preview.Lines();
        EXPECT_FALSE(lines.isEmpty());
        if (!lines.isEmpty())
            lines.removeFirst();
        return lines;
    }

    // Only the strings of the text records, in drawing order.
    static QStringList Texts(const RecordingSurface& surface)
    {
        QStringList texts;
        for (const SurfaceRecord& record : surface.Records()) {
            if (record.kind == SurfaceRecord::Text)
                texts << record.text;
        }
        return texts;
    }
    QStringList RenderedTexts(int section, int page)
    {
        Render(section, page);
        return Texts(m_preview);
    }

    QTemporaryDir m_dir;
    CollectedMessages m_messages;
    SiteValues m_site;
    RecordingSurface m_preview;
    std::unique_ptr<tbl_report> m_report;
    QString m_error;
};
