#include "operator_messages.h"
#include "reports/ui/clickable_label.h"
#include "reports/ui/rich_text_view.h"

#include <QBuffer>
#include <QImage>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <httplib.h>

#include <gtest/gtest.h>

#include <thread>

namespace {

const QChar kEsc(0x1B);
const QChar kSub(0x1A);

QString Command(const QString& letterAndArgument)
{
    return kEsc + letterAndArgument + kSub;
}

QByteArray Picture(const char* format, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

template <typename Label> QList<Label*> Labels(const QScrollArea& area)
{
    return area.widget()->findChildren<Label*>(Qt::FindDirectChildrenOnly);
}

class RichTextViewTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_area.resize(400, 300);
        QFont font(QStringLiteral("Tahoma"));
        font.setPixelSize(12);
        m_area.setFont(font);
    }

    QTemporaryDir m_folder;
    QScrollArea m_area;
    CollectedMessages m_messages;
    QStringList m_clicks;
};

// A click reaches the handler after the press is over, so that the handler
// may lay the content out again (which deletes the label clicked).
TEST_F(RichTextViewTest, LinksAndPicturesReportTheirIdentifiersOnce)
{
    const QString logo = m_folder.filePath(QStringLiteral("logo.PNG"));
    QFile file(logo);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Picture("PNG", 30, 20));
    file.close();
    const QString missing = m_folder.filePath(QStringLiteral("brak.jpg"));
    const QStringList content = {QStringLiteral("Tekst & ") + Command(QStringLiteral("Lid|Opis")),
                                 Command(QStringLiteral("Bp1||") + logo) +
                                     Command(QStringLiteral("B") + missing) +
                                     Command(QStringLiteral("Ie||nie obrazek"))};
    RichTextView* view = nullptr;
    view = new RichTextView(
        m_area,
        [&](const QString& identifier) {
            m_clicks << identifier;
            view->Render(content);
        },
        m_messages);
    view->Render(content);
    view->Render(content);

    // The missing file is reported once: its empty picture is kept.
    EXPECT_EQ(m_messages.lines().size(), 3);
    EXPECT_EQ(m_messages.lines().value(0), QStringLiteral("Brak pliku ") + missing);
    EXPECT_TRUE(m_messages.lines().value(1).startsWith(
        QStringLiteral("Nie można odczytać obrazka JPEG zapisanego w treści")));

    const QList<LMLink*> links = Labels<LMLink>(m_area);
    ASSERT_EQ(links.size(), 1);
    EXPECT_EQ(links[0]->text(), QStringLiteral("Opis"));
    EXPECT_TRUE(links[0]->font().underline());
    EXPECT_EQ(links[0]->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_EQ(links[0]->cursor().shape(), Qt::PointingHandCursor);
    const QList<LMimage*> pictures = Labels<LMimage>(m_area);
    ASSERT_EQ(pictures.size(), 2);
    EXPECT_EQ(pictures[0]->Identifier(), QStringLiteral("p1"));
    EXPECT_EQ(pictures[0]->pixmap().size(), QSize(30, 20));
    EXPECT_TRUE(pictures[1]->pixmap().isNull());

    QTest::mouseClick(links[0], Qt::LeftButton);
    QTRY_COMPARE(m_clicks, QStringList{QStringLiteral("id|Opis")});
    QTest::mouseClick(Labels<LMimage>(m_area)[0], Qt::RightButton);
    QTest::mouseClick(Labels<LMimage>(m_area)[0], Qt::LeftButton);
    QTRY_COMPARE(m_clicks.size(), 2);
    EXPECT_EQ(m_clicks[1], QStringLiteral("p1"));
}

// Web pictures arrive in the background and the content is laid out again;
// an answer other than 200 is an empty picture, and a web picture takes no
// clicks.
TEST_F(RichTextViewTest, WebPicturesArriveLater)
{
    const QByteArray jpeg = Picture("JPEG", 16, 12);
    httplib::Server server;
    server.Get("/cover.jpg", [&](const httplib::Request&, httplib::Response& reply) {
        reply.set_content(jpeg.toStdString(), "image/jpeg");
    });
    server.Get("/gone.jpg", [](const httplib::Request&, httplib::Response& reply) {
        reply.status = 404;
        reply.set_content("brak", "text/plain");
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    std::thread thread([&] { server.listen_after_bind(); });
    const QString base = QStringLiteral("http://127.0.0.1:%1/").arg(port);

    RichTextView view(
        m_area, [&](const QString& identifier) { m_clicks << identifier; }, m_messages);
    QSignalSpy arrived(&view, &RichTextView::PicturesArrived);
    view.Render({Command(QStringLiteral("Dc||") + base + QStringLiteral("cover.jpg")) +
                 Command(QStringLiteral("Dg||") + base + QStringLiteral("gone.jpg"))});
    EXPECT_TRUE(view.WaitingForPictures());
    QTRY_VERIFY_WITH_TIMEOUT(!view.WaitingForPictures(), 15000);
    EXPECT_GE(arrived.count(), 1);
    server.stop();
    thread.join();

    const QList<LMimage*> pictures = Labels<LMimage>(m_area);
    ASSERT_EQ(pictures.size(), 2);
    EXPECT_EQ(pictures[0]->Identifier(), QStringLiteral("COVc"));
    EXPECT_EQ(pictures[0]->pixmap().size(), QSize(16, 12));
    EXPECT_TRUE(pictures[1]->pixmap().isNull());
    EXPECT_NE(pictures[0]->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(pictures[0], Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_clicks.isEmpty());
    EXPECT_TRUE(m_messages.lines().isEmpty());
}

} // namespace
