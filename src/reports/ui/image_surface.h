#pragma once

#include "reports/ui/qt_surface.h"

#include <QImage>

#include <memory>

// A QtSurface that owns its picture: a white page of a given size and
// resolution, as the preview shows it and the bitmap export saves it.
class ImageSurface : public QtSurface
{
public:
    ImageSurface(int width, int height, int pixelsPerInch);
    ~ImageSurface() override;

    const QImage& Image() const { return *m_image; }
    // Writes the picture in the format the file name's suffix names (PNG,
    // BMP, JPEG); false when the file cannot be written.
    bool Save(const QString& file) const;

private:
    // The picture is made before the painting base class starts on it and
    // handed over to the member afterwards.
    explicit ImageSurface(std::unique_ptr<QImage> image);

    std::unique_ptr<QImage> m_image;
};
