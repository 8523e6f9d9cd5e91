#pragma once

#include <QPushButton>
#include <QString>

class QLabel;

// One category button of the reading room: it stands for a visit type and
// shows how many visits of that type the server has counted today. Its
// caption wraps over several lines when the name is long.
class myButton : public QPushButton
{
    Q_OBJECT
public:
    myButton(const QString& name, const QString& type, const QString& barcode, QWidget* parent);

    const QString& Name() const { return m_name; }
    const QString& Type() const { return m_type; }
    const QString& Barcode() const { return m_barcode; }
    qint32 Count() const { return m_count; }
    // Shows `count` in the caption.
    void SetCount(qint32 count);
    // The caption as shown: name and count.
    QString Caption() const;

Q_SIGNALS:
    // The right mouse button went down on the button.
    void RightPressed(myButton* button);

private:
    void mousePressEvent(QMouseEvent* event) override;

    QString m_name;
    QString m_type;
    QString m_barcode;
    qint32 m_count = 0;
    QLabel* m_caption = nullptr;
};
