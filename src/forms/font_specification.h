#pragma once

#include <QString>

#include <optional>

// A font written as face "/" height "/" style: a negative height is the
// characters' height in pixels, a positive one points; "B" in the style
// means bold ("Courier New/-14/B").
struct FontSpecification
{
    QString face;
    int height = 0;
    bool bold = false;
};

// Nothing for an empty text or one without a face and a height.
std::optional<FontSpecification> ParseFontSpecification(const QString& text);
