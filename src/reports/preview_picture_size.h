#pragma once

#include "reports/report_page_model.h"

#include <QString>

// The size of the picture a preview page is drawn on, in design units (one
// pixel each at 100 %): the design width, and the page's bands stacked
// (header, its lines, footer).
struct PreviewPictureSize
{
    int width = 0;
    int height = 0;
};

// A picture above this many pixels is refused rather than allocated: the
// report's own numbers (a design width of millions of units, a line band
// as high as a street) must not make the program ask for gigabytes.
inline constexpr qint64 kMaxPreviewPixels = 64'000'000;

// The picture of `page` at 100 %; false with an error text when it has no
// area or is larger than kMaxPreviewPixels.
bool PreviewPageSize(const ReportSettings& settings, const ReportPageModel::Page& page,
                     PreviewPictureSize& size, QString& error);

// The zoom steps of the preview, in percent, and what the zoom commands
// choose. Every result lies between kMinZoom and kMaxZoom.
inline constexpr int kMinZoom = 25;
inline constexpr int kMaxZoom = 400;
int ZoomIn(int percent);
int ZoomOut(int percent);
// The zoom at which a page `pageWidth` wide fills `viewWidth` pixels, and at
// which a whole page fits into the view.
int ZoomToWidth(int pageWidth, int viewWidth);
int ZoomToPage(PreviewPictureSize page, int viewWidth, int viewHeight);
// `percent`, lowered where the picture at that zoom would be larger than
// kMaxPreviewPixels (never below kMinZoom).
int ZoomThatFits(PreviewPictureSize page, int percent);
// A length in design units at `percent`, rounded up so nothing is cut off.
int Zoomed(int units, int percent);
