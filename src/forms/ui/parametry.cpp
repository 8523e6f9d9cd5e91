#include "forms/ui/parametry.h"

#include "app/ui/message_windows.h"
#include "app/ui/modal_runner.h"
#include "app/ui/operator_message_window.h"
#include "forms/parameter_run.h"
#include "forms/ui/editor_builder.h"
#include "forms/ui/my_editor.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QPushButton>
#include <QWheelEvent>

namespace {

constexpr int kWindowFontPixels = 11;
constexpr int kFormFontPixels = 12;
constexpr int kButtonHeight = 37;
constexpr int kGroupHeight = 36;
constexpr int kGap = 5;
constexpr int kWheelUnitsPerNotch = 120;

QFont Tahoma(int pixels)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixels);
    return font;
}

} // namespace

TOknoParametrow::TOknoParametrow(QWidget* parent)
    : QDialog(parent), m_panelFormularza(new QFrame(this)), m_panel1(new QWidget(this)),
      m_button1(new QPushButton(QStringLiteral("Wykonaj"), m_panel1)),
      m_groupBox1(new QGroupBox(QStringLiteral("Sortowanie wyniku"), m_panel1)),
      m_comboBox1(new QComboBox(m_groupBox1))
{
    setObjectName(QStringLiteral("OknoParametrow"));
    setWindowTitle(QStringLiteral("Parametry zestawienia"));
    setFont(Tahoma(kWindowFontPixels));
    m_panelFormularza->setObjectName(QStringLiteral("PanelFormularza"));
    m_panelFormularza->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_panelFormularza->setFont(Tahoma(kFormFontPixels));
    m_button1->setObjectName(QStringLiteral("Button1"));
    m_button1->setDefault(true);
    m_groupBox1->setObjectName(QStringLiteral("GroupBox1"));
    m_groupBox1->setGeometry(kGap, 1, ParameterWindowMetrics::kGroupWidth, kGroupHeight);
    m_comboBox1->setGeometry(kGap, 14, ParameterWindowMetrics::kGroupWidth - 2 * kGap, 20);
    m_groupBox1->hide();
    connect(m_button1, &QPushButton::clicked, this, &TOknoParametrow::Button1Click);
    resize(359, 220);
}

TOknoParametrow::~TOknoParametrow() = default;

QWidget* TOknoParametrow::FormPanel() const
{
    return m_panelFormularza;
}

void TOknoParametrow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    const int bottom = ParameterWindowMetrics::kBottomPanelHeight;
    m_panelFormularza->setGeometry(0, 0, width(), height() - bottom);
    m_panel1->setGeometry(0, height() - bottom, width(), bottom);
    m_button1->setGeometry(width() - ParameterWindowMetrics::kButtonWidth - kGap, 1,
                           ParameterWindowMetrics::kButtonWidth, kButtonHeight);
}

void TOknoParametrow::wheelEvent(QWheelEvent* event)
{
    const int notches = event->angleDelta().y() / kWheelUnitsPerNotch;
    if (m_root && notches != 0 && m_root->wheel(notches))
        event->accept();
    else
        QDialog::wheelEvent(event);
}

void TOknoParametrow::Button1Click()
{
    if (m_root)
        m_root->commit();
    accept();
}

bool TOknoParametrow::Open(const QString& caption, const QString& descriptionFile,
                           const QString& buttonCaption, const QString& initialValues,
                           OperatorMessages& messages, const FormEventHook& answers)
{
    Close();
    m_run = ParameterRun::Open(descriptionFile, initialValues, messages);
    if (!m_run)
        return false;
    setWindowTitle(caption);
    m_button1->setText(buttonCaption);
    resize(
        ParameterWindowClientSize(m_run->Form(), !m_groupBox1->isHidden(), !m_button1->isHidden()));
    FormEventHook hook = m_run->Hook();
    if (answers) {
        hook = [answers, windowHook = std::move(hook)](FormEvent event, my_record& record,
                                                       const QString& name) {
            std::optional<QStringList> answer = answers(event, record, name);
            return answer ? answer : windowHook(event, record, name);
        };
    }
    m_root = std::make_unique<my_editor>(m_panelFormularza, hook, m_run->Record());
    m_run->Hook()(FormEvent::Announce, m_run->Record(), QStringLiteral("FORMULARZ"));
    BuildEditors(m_run->Form(), *m_root, 0, 0, QString());
    m_root->focus_first();
    return true;
}

// The editors go before the form they point into.
void TOknoParametrow::Close()
{
    m_root.reset();
    m_run.reset();
    m_groupBox1->hide();
}

QString TOknoParametrow::run(const QString& caption, const QString& descriptionFile,
                             const QString& buttonCaption, const QString& initialValues)
{
    OperatorMessageWindow messages;
    if (!Open(caption, descriptionFile, buttonCaption, initialValues, messages))
        return QString();

    QString result;
    for (;;) {
        if (RunModal(*this) != QDialog::Accepted)
            break;
        const ParameterRun::Outcome outcome = m_run->Confirm();
        if (outcome.accepted) {
            result = outcome.parameterText;
            break;
        }
        ShowError(outcome.errorText);
    }
    Close();
    return result;
}
