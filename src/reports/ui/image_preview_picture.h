#pragma once

#include "reports/my_report.h"
#include "reports/ui/image_surface.h"

#include <memory>

// A preview picture without a window: a white page the report draws on at
// one pixel per design unit, which the bitmap export saves. The command-line
// tool draws pages on it; the preview window shows the same kind of page.
class ImagePreviewPicture : public PreviewPicture
{
public:
    static constexpr int kScreenResolution = 96;

    ImagePreviewPicture() = default;

    // A fresh white page of `width` × `height` pixels; the surface the
    // report must draw on from now on.
    ImageSurface& NewPage(int width, int height);
    ImageSurface* Page() const { return m_page.get(); }

    // Writes a Windows bitmap whatever the file name's extension says.
    bool SaveBitmap(const QString& file) override;

private:
    std::unique_ptr<ImageSurface> m_page;
};
