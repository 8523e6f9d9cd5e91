#include "reports/ui/rich_pictures.h"

#include "client/https_settings.h"
#include "client/https_transport.h"
#include "operator_messages.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImageReader>

namespace {

constexpr int kHttpOk = 200;
// Fetches that run at once; more wait their turn.
constexpr int kParallelFetches = 4;

QImage ReadPictureFile(const QString& name)
{
    QImageReader reader(name);
    // The suffix decides for PNG files; other pictures are known by their
    // first bytes.
    if (name.endsWith(QStringLiteral("png"), Qt::CaseInsensitive))
        reader.setFormat("png");
    return reader.read();
}

} // namespace

RichPictures& RichPictures::Instance()
{
    static RichPictures* instance = nullptr;
    if (instance == nullptr) {
        instance = new RichPictures(QCoreApplication::instance());
        QObject::connect(instance, &QObject::destroyed, [] { instance = nullptr; });
    }
    return *instance;
}

RichPictures::RichPictures(QObject* parent) : QObject(parent)
{
    m_fetchers.setMaxThreadCount(kParallelFetches);
}

RichPictures::~RichPictures()
{
    m_closing = true;
    m_fetchers.waitForDone();
}

QImage RichPictures::File(const QString& name, OperatorMessages& messages)
{
    const QString key = QFileInfo(name).absoluteFilePath();
    const auto found = m_files.constFind(key);
    if (found != m_files.constEnd())
        return *found;
    const QImage picture = ReadPictureFile(name);
    if (picture.isNull())
        messages.ShowMessage(QStringLiteral("Brak pliku ") + name);
    m_files.insert(key, picture);
    return picture;
}

std::optional<QImage> RichPictures::Web(const QString& url)
{
    const auto found = m_web.constFind(url);
    if (found != m_web.constEnd())
        return *found;
    if (m_fetching.contains(url))
        return std::nullopt;
    m_fetching.insert(url, true);
    const HttpsSettings settings = ConfiguredHttpsSettings();
    m_fetchers.start([this, url, settings] {
        HttpsTransport transport(settings);
        const HttpsTransport::Response response =
            transport.Get(EncodeUrl(url), HttpsTransport::GetLimits(), &m_closing);
        QImage picture;
        if (response.error.isEmpty() && response.code == kHttpOk)
            picture = QImage::fromData(response.body);
        const QString error = response.error;
        QMetaObject::invokeMethod(
            this, [this, url, picture, error] { Arrived(url, picture, error); },
            Qt::QueuedConnection);
    });
    return std::nullopt;
}

void RichPictures::Arrived(const QString& url, const QImage& picture, const QString& error)
{
    m_fetching.remove(url);
    m_web.insert(url, picture);
    Q_EMIT WebPictureArrived(url, error);
}
