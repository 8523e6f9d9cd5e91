#include "reports/ui/image_surface.h"

#include <cmath>

namespace {

constexpr double kMetresPerInch = 0.0254;

int ZoomedSide(int side, double zoom)
{
    // A hair below the whole pixel is that pixel: 800 at 110 % is 880, not the
    // 881 that the floating-point product would round up to.
    return std::max(static_cast<int>(std::ceil(std::max(side, 1) * zoom - 1e-6)), 1);
}

// Fresh memory for a picture costs the system a page fault for every 4 KB
// at its first touch: for a page at 400 % (60 MB) that is several times what
// drawing the page costs, while painting used memory white again is cheap.
std::unique_ptr<QImage> WhitePage(int width, int height, int pixelsPerInch, QImage reused)
{
    const bool fits = reused.size() == QSize(width, height) &&
                      reused.format() == QImage::Format_RGB32 && reused.isDetached();
    auto image = fits ? std::make_unique<QImage>(std::move(reused))
                      : std::make_unique<QImage>(width, height, QImage::Format_RGB32);
    image->fill(Qt::white);
    const int dotsPerMetre =
        static_cast<int>(std::lround(std::max(pixelsPerInch, 1) / kMetresPerInch));
    image->setDotsPerMeterX(dotsPerMetre);
    image->setDotsPerMeterY(dotsPerMetre);
    return image;
}

} // namespace

// The resolution stays the page's own at any zoom: the report measures its
// text at 100 %, so a page breaks its lines the same way however it is shown.
ImageSurface::ImageSurface(int width, int height, int pixelsPerInch, double zoom, QImage reused)
    : ImageSurface(WhitePage(ZoomedSide(width, zoom), ZoomedSide(height, zoom), pixelsPerInch,
                             std::move(reused)),
                   width, height, zoom)
{}

ImageSurface::ImageSurface(std::unique_ptr<QImage> image, int width, int height, double zoom)
    : QtSurface(*image), m_image(std::move(image)), m_width(std::max(width, 1)),
      m_height(std::max(height, 1))
{
    if (zoom != 1.0)
        ScaleDrawing(zoom);
}

// Painting must stop before the picture goes away.
ImageSurface::~ImageSurface()
{
    End();
}

bool ImageSurface::Save(const QString& file) const
{
    return m_image->save(file);
}
