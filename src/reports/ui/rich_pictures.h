#pragma once

#include <QHash>
#include <QImage>
#include <QObject>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <optional>

class OperatorMessages;

// The pictures of the rich text views, kept for the program's run: each
// file is read once and each web address fetched once. Web pictures come
// from a background thread, so that a slow or large answer never holds up
// the window; WebPictureArrived tells the views to lay out again.
class RichPictures : public QObject
{
    Q_OBJECT
public:
    // The program's one store, owned by the application object.
    static RichPictures& Instance();
    ~RichPictures() override;

    // The picture in file `name`, keyed by the file's full name. A file that
    // cannot be read is an empty picture from then on, and `messages` hears
    // "Brak pliku " and the name the first time.
    QImage File(const QString& name, OperatorMessages& messages);

    // The picture at `url` once it has arrived (an empty one when the
    // server did not answer 200 or the body is no picture); nothing while
    // it is being fetched. The first ask starts the fetch.
    std::optional<QImage> Web(const QString& url);

Q_SIGNALS:
    // `error` is why no answer came, empty when one did.
    void WebPictureArrived(const QString& url, const QString& error);

private:
    explicit RichPictures(QObject* parent);
    void Arrived(const QString& url, const QImage& picture, const QString& error);

    QHash<QString, QImage> m_files;
    QHash<QString, QImage> m_web;
    QHash<QString, bool> m_fetching;
    QThreadPool m_fetchers;
    std::atomic<bool> m_closing{false};
};
