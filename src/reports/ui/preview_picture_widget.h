#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>

// The page picture of the preview window (Image1): shows the page as drawn,
// sized to it, and marks the line a search has found.
class PreviewPictureWidget : public QWidget
{
    Q_OBJECT
public:
    explicit PreviewPictureWidget(QWidget* parent = nullptr);

    // Shows `picture`; the widget takes its size.
    void SetPicture(QImage picture);
    const QImage& Picture() const { return m_picture; }
    // Marks a band of the picture (picture pixels); an empty rectangle
    // removes the mark.
    void SetMark(const QRect& mark);
    const QRect& Mark() const { return m_mark; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
    QRect m_mark;
};
