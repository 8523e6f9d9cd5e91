#pragma once

#include <QLabel>

#include <functional>

// A label of the rich text view that stands for an identifier: a left click
// reports it to the view. Links and pictures are kinds of it.
class ClickableLabel : public QLabel
{
    Q_OBJECT
public:
    using Handler = std::function<void(const QString& identifier)>;

    ClickableLabel(QString identifier, Handler onClick, QWidget* parent);
    const QString& Identifier() const { return m_identifier; }

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QString m_identifier;
    Handler m_onClick;
};

// A link: its text (blue and underlined by the layout) with the hand cursor.
class LMLink : public ClickableLabel
{
    Q_OBJECT
public:
    LMLink(const QString& text, QString identifier, Handler onClick, QWidget* parent);
};

// A picture with the hand cursor; a picture without a handler takes no
// clicks and keeps the ordinary cursor.
class LMimage : public ClickableLabel
{
    Q_OBJECT
public:
    LMimage(const QImage& picture, QString identifier, Handler onClick, QWidget* parent);
};
