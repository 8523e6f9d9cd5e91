#include "app/ui/tokno_komunikatu.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace {

QStyle::StandardPixmap IconOf(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Error:
        return QStyle::SP_MessageBoxCritical;
    case MessageKind::Notice:
        return QStyle::SP_MessageBoxInformation;
    case MessageKind::Question:
        break;
    }
    return QStyle::SP_MessageBoxQuestion;
}

QRect ScreenGeometry()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
}

// Far more than any message needs, so that only the width makes it wrap.
constexpr int kUnboundedHeight = 100000;
// Between the text and the window's right edge.
constexpr int kTextRightMargin = 16;

} // namespace

TOknoKomunikatu::TOknoKomunikatu(MessageKind kind, const QString& text, int defaultAnswer,
                                 QWidget* parent)
    : QDialog(parent), m_message(text)
{
    setObjectName(QStringLiteral("OknoKomunikatu"));
    // A message must not hide behind the window that caused it; the only
    // way out besides the buttons is the close box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    const MessageWindowSpec spec = MessageWindowFor(kind, defaultAnswer);
    setWindowTitle(spec.caption);

    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("Ikona"));
    m_icon->setGeometry(kMessageIconLeft, kMessageIconTop, kMessageIconSize, kMessageIconSize);
    m_icon->setPixmap(style()->standardIcon(IconOf(kind), nullptr, this).pixmap(kMessageIconSize));

    // The label wraps exactly like the measurement below: same font, same
    // flags (a plain-text label expands tabs), and a width between the
    // measured one and the half screen the text was measured in.
    const QRect screen = ScreenGeometry();
    const QSize textSize = QFontMetrics(font())
                               .boundingRect(QRect(0, 0, screen.width() / 2, kUnboundedHeight),
                                             Qt::TextWordWrap | Qt::TextExpandTabs, text)
                               .size();
    const QSize client = MessageClientSize(spec.grid, textSize);
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("Tekst"));
    // Server texts may contain "<" or "&": they are shown as they came.
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_text->setText(text);
    m_text->setGeometry(
        kMessageTextLeft, kMessageTextTop,
        qMax(textSize.width(), client.width() - kMessageTextLeft - kTextRightMargin),
        textSize.height());
    setFixedSize(client);

    AddButtons(spec);
    move(screen.center() - rect().center());
}

// The tab order is the order in which the buttons are made: the marked one
// is made first, the others follow in their own order. Buttons() keeps the
// order of the window's description.
void TOknoKomunikatu::AddButtons(const MessageWindowSpec& spec)
{
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < spec.buttons.size(); ++i)
        if (spec.buttons[i].first)
            order.push_back(i);
    for (std::size_t i = 0; i < spec.buttons.size(); ++i)
        if (!spec.buttons[i].first)
            order.push_back(i);
    m_buttons.assign(spec.buttons.size(), nullptr);
    m_answers.assign(spec.buttons.size(), 0);
    for (std::size_t i : order) {
        m_buttons[i] = MakeButton(spec.grid, spec.buttons[i], static_cast<int>(i) + 1);
        m_answers[i] = spec.buttons[i].answer;
    }
}

QPushButton* TOknoKomunikatu::MakeButton(const MessageButtonGrid& grid, const MessageButton& button,
                                         int number)
{
    auto* push = new QPushButton(button.caption, this);
    push->setObjectName(button.caption);
    push->setGeometry(MessageButtonRect(grid, size(), number));
    // A focused button answers Enter; without a marked button the first one
    // in the tab order has the focus when the window opens.
    push->setAutoDefault(true);
    const int answer = button.answer;
    connect(push, &QPushButton::clicked, this, [this, answer] { done(answer); });
    if (button.first) {
        push->setDefault(true);
        push->setFocus();
    }
    return push;
}

const QString& TOknoKomunikatu::Text() const
{
    return m_message;
}

void TOknoKomunikatu::reject()
{
    done(kAnswerCancel);
}
