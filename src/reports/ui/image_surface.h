#pragma once

#include "reports/ui/qt_surface.h"

#include <QImage>

#include <memory>

// A QtSurface that owns its picture: a white page of a given size and
// resolution, as the preview shows it and the bitmap export saves it. Drawn
// at a zoom, the picture is that much larger while the report still sees a
// page of `width` × `height` pixels: it is drawn again at the larger size
// (sharp text and lines), not enlarged afterwards.
class ImageSurface : public QtSurface
{
public:
    // `reused` is a picture nobody shows any more: when it has the size the
    // page needs, the page is drawn on its memory, painted white again.
    ImageSurface(int width, int height, int pixelsPerInch, double zoom = 1.0,
                 QImage reused = QImage());
    ~ImageSurface() override;

    int PageWidth() const override { return m_width; }
    int PageHeight() const override { return m_height; }

    const QImage& Image() const { return *m_image; }
    // Writes the picture in the format the file name's suffix names (PNG,
    // BMP, JPEG); false when the file cannot be written.
    bool Save(const QString& file) const;

private:
    // The picture is made before the painting base class starts on it and
    // handed over to the member afterwards.
    ImageSurface(std::unique_ptr<QImage> image, int width, int height, double zoom);

    std::unique_ptr<QImage> m_image;
    int m_width;
    int m_height;
};
