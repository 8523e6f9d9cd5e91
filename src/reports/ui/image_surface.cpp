#include "reports/ui/image_surface.h"

#include <cmath>

namespace {

constexpr double kMetresPerInch = 0.0254;

std::unique_ptr<QImage> WhitePage(int width, int height, int pixelsPerInch)
{
    auto image =
        std::make_unique<QImage>(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    image->fill(Qt::white);
    const int dotsPerMetre =
        static_cast<int>(std::lround(std::max(pixelsPerInch, 1) / kMetresPerInch));
    image->setDotsPerMeterX(dotsPerMetre);
    image->setDotsPerMeterY(dotsPerMetre);
    return image;
}

} // namespace

ImageSurface::ImageSurface(int width, int height, int pixelsPerInch)
    : ImageSurface(WhitePage(width, height, pixelsPerInch))
{}

ImageSurface::ImageSurface(std::unique_ptr<QImage> image)
    : QtSurface(*image), m_image(std::move(image))
{}

// Painting must stop before the picture goes away.
ImageSurface::~ImageSurface()
{
    End();
}

bool ImageSurface::Save(const QString& file) const
{
    return m_image->save(file);
}
