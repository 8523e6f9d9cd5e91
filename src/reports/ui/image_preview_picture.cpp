#include "reports/ui/image_preview_picture.h"

ImageSurface& ImagePreviewPicture::NewPage(int width, int height)
{
    m_page.reset();
    m_page = std::make_unique<ImageSurface>(width, height, kScreenResolution);
    return *m_page;
}

bool ImagePreviewPicture::SaveBitmap(const QString& file)
{
    return m_page && m_page->Image().save(file, "BMP");
}
