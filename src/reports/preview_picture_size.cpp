#include "reports/preview_picture_size.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<int, 15> kZoomSteps = {25,  33,  50,  67,  75,  90,  100, 110,
                                            125, 150, 175, 200, 250, 300, 400};

int ClampZoom(long long percent)
{
    return static_cast<int>(std::clamp<long long>(percent, kMinZoom, kMaxZoom));
}

} // namespace

bool PreviewPageSize(const ReportSettings& settings, const ReportPageModel::Page& page,
                     PreviewPictureSize& size, QString& error)
{
    // A page without data lines still shows one line's room, as it is drawn.
    const long long lines = std::max(page.last - page.first + 1, 1);
    const long long height = static_cast<long long>(settings.header.height) +
                             settings.footer.height + lines * settings.line.height;
    const long long width = settings.designWidth;
    if (width < 1 || height < 1 || width * height > kMaxPreviewPixels) {
        error = QString::fromUtf8("Strona zestawienia jest za duża do pokazania (%1 × %2 pikseli)")
                    .arg(width)
                    .arg(height);
        return false;
    }
    size = {static_cast<int>(width), static_cast<int>(height)};
    return true;
}

int ZoomIn(int percent)
{
    const auto next = std::upper_bound(kZoomSteps.begin(), kZoomSteps.end(), percent);
    return next == kZoomSteps.end() ? kMaxZoom : *next;
}

int ZoomOut(int percent)
{
    const auto at = std::lower_bound(kZoomSteps.begin(), kZoomSteps.end(), percent);
    return at == kZoomSteps.begin() ? kMinZoom : *(at - 1);
}

int ZoomToWidth(int pageWidth, int viewWidth)
{
    if (pageWidth < 1)
        return 100;
    return ClampZoom(100LL * std::max(viewWidth, 1) / pageWidth);
}

int ZoomToPage(PreviewPictureSize page, int viewWidth, int viewHeight)
{
    if (page.height < 1)
        return ZoomToWidth(page.width, viewWidth);
    return std::min(ZoomToWidth(page.width, viewWidth),
                    ClampZoom(100LL * std::max(viewHeight, 1) / page.height));
}

int Zoomed(int units, int percent)
{
    return static_cast<int>((static_cast<long long>(units) * percent + 99) / 100);
}

int ZoomThatFits(PreviewPictureSize page, int percent)
{
    int zoom = ClampZoom(percent);
    while (zoom > kMinZoom &&
           static_cast<long long>(Zoomed(page.width, zoom)) * Zoomed(page.height, zoom) >
               kMaxPreviewPixels)
        zoom = ZoomOut(zoom);
    return zoom;
}
