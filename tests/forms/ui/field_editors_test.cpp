#include "app/ui/modal_runner.h"
#include "forms/form_compiler.h"
#include "forms/form_record.h"
#include "forms/form_run_settings.h"
#include "forms/ui/ed_dynamic.h"
#include "forms/ui/ed_list.h"
#include "forms/ui/editor_builder.h"
#include "forms/ui/my_editor.h"
#include "forms/ui/ts_memo.h"
#include "operator_messages.h"
#include "reports/ui/clickable_label.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QHash>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

// A form built on a panel of a shown window, with every event the editors
// raise written down as "code name".
class FieldEditorsTest : public testing::Test
{
protected:
    void Build(const char* description, const char* initial = "")
    {
        Build(S(description), initial);
    }

    void Build(const QString& description, const char* initial = "")
    {
        CollectedMessages messages;
        m_form = CompileFormText(description, messages);
        ASSERT_TRUE(messages.lines().isEmpty()) << messages.lines().join(u'\n').toStdString();
        m_window.resize(400, 300);
        m_window.show();
        m_window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
        LoadValues(initial);
        m_root = std::make_unique<my_editor>(
            &m_window,
            [this](FormEvent event, my_record&, const QString& name) {
                m_events << QString::number(int(event)) + u' ' + name;
                if (event == FormEvent::Announce && m_answers.contains(name))
                    return std::optional<QStringList>(m_answers.value(name));
                return std::optional<QStringList>();
            },
            m_record);
        BuildEditors(*m_form, *m_root, 0, 0, S("#|7|"));
    }

    void LoadValues(const char* initial)
    {
        const QStringList parts = S(initial).split(u'|', Qt::SkipEmptyParts);
        for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
            m_record.SetValue(parts[i], parts[i + 1]);
    }

    template <typename Control> Control* Find(int index = 0)
    {
        const QList<Control*> all = m_window.findChildren<Control*>();
        return index < all.size() ? all[index] : nullptr;
    }

    QStringList m_events;
    // What the form answers when a field announces itself (TEXT, PANEL).
    QHash<QString, QStringList> m_answers;
    QWidget m_window;
    std::unique_ptr<my_formular> m_form;
    my_record m_record;
    std::unique_ptr<my_editor> m_root;
};

// Typing stores every change at once; leaving the field commits it; LIMIT
// caps the text and PASSWORD hides it; names take the substitutions.
TEST_F(FieldEditorsTest, TheLineEditStoresAndTells)
{
    Build("BEGIN FIELD 'A#' LIMIT 3 PASSWORD ON 10,10,80 FIELD 'B' ON 10,40,80 END", "B|xy|");
    QLineEdit* a = Find<QLineEdit>(0);
    QLineEdit* b = Find<QLineEdit>(1);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->geometry(), QRect(10, 10, 80, 20));
    EXPECT_EQ(a->echoMode(), QLineEdit::Password);
    EXPECT_EQ(b->text(), S("xy"));
    EXPECT_TRUE(a->font().bold());
    EXPECT_EQ(m_events, (QStringList{S("0 A7"), S("0 B")}));

    m_events.clear();
    ASSERT_TRUE(m_root->focus_first());
    QTest::keyClicks(a, S("abcd"));
    EXPECT_EQ(m_record.Value(S("A7")), S("abc"));
    EXPECT_EQ(m_root->caret(), S("A7|3"));
    m_record.AddError(S("zła wartość"), S("A7"));
    b->setFocus();
    EXPECT_TRUE(m_record.errors().empty());
    EXPECT_EQ(m_events,
              (QStringList{S("1 A7"), S("2 A7"), S("2 A7"), S("2 A7"), S("3 A7"), S("1 B")}));

    m_record.SetValue(S("A7"), S("zz"));
    m_root->refresh(S("A7"));
    EXPECT_EQ(a->text(), S("zz"));
    EXPECT_TRUE(a->hasFocus());
    m_root.reset();
    EXPECT_TRUE(m_window.findChildren<QLineEdit*>().isEmpty());
}

// A check box stores nothing until clicked; a list replaces an unknown value
// by its first at once; a spin edit normalises its value at once; a button
// asks for its action and commits; NO shows the row.
TEST_F(FieldEditorsTest, TheOtherSingleFields)
{
    Build("BEGIN CHECK 'C' MASK 'Pilne' ON 0,0,80 "
          "COMBO 'K' MASK 'T|Tak|N|Nie|' ON 0,30,80 "
          "SPIN 'S' MASK 3 LIMIT 5, 50 ON 0,60,80 "
          "BUTTON 'P' MASK 'Szukaj' ON 0,90,80,24 "
          "NO 'Wiersz #' ON 100,0 END",
          "K|X|S|abc|");
    EXPECT_EQ(m_record.Value(S("C")), QString());
    EXPECT_EQ(m_record.Value(S("K")), S("T"));
    EXPECT_EQ(m_record.Value(S("S")), S("  5"));
    EXPECT_EQ(Find<QLabel>()->text(), S("Wiersz 7"));

    m_events.clear();
    QTest::mouseClick(Find<QCheckBox>(), Qt::LeftButton);
    EXPECT_EQ(m_record.Value(S("C")), S("T"));
    QTest::mouseClick(Find<QCheckBox>(), Qt::LeftButton);
    EXPECT_EQ(m_record.Value(S("C")), S("F"));
    Find<QComboBox>()->setFocus();
    Find<QComboBox>()->activated(1);
    EXPECT_EQ(m_record.Value(S("K")), S("N"));
    Find<QSpinBox>()->setValue(42);
    EXPECT_EQ(m_record.Value(S("S")), S(" 42"));
    QTest::mouseClick(Find<QPushButton>(), Qt::LeftButton);
    EXPECT_EQ(m_events, (QStringList{S("1 C"), S("2 C"), S("2 C"), S("3 C"), S("1 K"), S("2 K"),
                                     S("2 S"), S("3 K"), S("4 P"), S("3 P")}));
}

// Masked fields keep what the mask shows, converted by their kind: a date
// as YYYYMMDD and checked when it is left, a number right-aligned with the
// window's decimal comma and red when negative.
TEST_F(FieldEditorsTest, MaskedFieldsConvertAndCheck)
{
    const FormRunSettingsScope settings(ParameterWindowSettings());
    Build("BEGIN DATE 'D' ON 0,0,90 NUMBER 'N' MASK SIGNED 8, 2 ON 0,30,90 "
          "FIELD 'M' MASK '000-000;0; ' ON 0,60,90 END",
          "D|20261231|N|  -12,50|");
    QLineEdit* date = Find<QLineEdit>(0);
    QLineEdit* number = Find<QLineEdit>(1);
    QLineEdit* mask = Find<QLineEdit>(2);
    ASSERT_TRUE(date && number && mask);
    EXPECT_EQ(date->displayText(), S("31.12.2026"));
    EXPECT_EQ(number->palette().color(QPalette::Text), QColor(Qt::red));
    EXPECT_EQ(mask->font().family(), S("Courier New"));

    mask->setFocus();
    mask->home(false);
    QTest::keyClicks(mask, S("123456"));
    EXPECT_EQ(m_record.Value(S("M")), S("123456"));

    m_events.clear();
    date->setFocus();
    date->selectAll();
    QTest::keyClicks(date, S("31022026"));
    EXPECT_EQ(m_record.Value(S("D")), S("20260231"));
    number->setFocus();
    EXPECT_EQ(m_record.ErrorText(), S("Błędna data \"31.02.2026\""));
    EXPECT_TRUE(m_events.contains(S("3 D")));
    date->setFocus();
    date->selectAll();
    QTest::keyClicks(date, S("28022026"));
    mask->setFocus();
    EXPECT_TRUE(m_record.errors().empty());
    EXPECT_EQ(m_record.Value(S("D")), S("20260228"));
}

// The fields that only ask the form for actions: the dictionary's search
// button stores the text first, a speed button takes the focus from the
// field being edited (which commits it) and a menu names the chosen item
// with the substitutions.
TEST_F(FieldEditorsTest, ActionsAskTheForm)
{
    QTemporaryDir folder;
    const QString picture = folder.filePath(S("szukaj.png"));
    QPixmap(16, 16).save(picture);
    Build(S("BEGIN DICTIONARY 'H#' ON 0,0,120 SPEED 'Q' MASK '%1' ON 0,30,24,24 "
            "MENU 'P1_#|Pierwsza||Więcej|P2|Druga|||' LABEL 'Opcje' ON 0,60 END")
              .arg(picture));
    QLineEdit* edit = Find<QLineEdit>();
    QToolButton* search = Find<QToolButton>(0);
    QToolButton* speed = Find<QToolButton>(1);
    QLabel* menu = Find<QLabel>();
    ASSERT_TRUE(edit && search && speed && menu);
    EXPECT_EQ(edit->width(), 100);
    EXPECT_EQ(search->geometry(), QRect(100, 0, 20, 20));
    EXPECT_EQ(search->toolTip(), S("Wyszukaj w kartotece wzorcowej"));
    EXPECT_FALSE(speed->icon().isNull());
    EXPECT_TRUE(menu->font().underline() && menu->font().bold());

    m_events.clear();
    edit->setFocus();
    edit->setText(S("Kraków"));
    search->click();
    EXPECT_EQ(m_record.Value(S("H7")), S("Kraków"));
    EXPECT_TRUE(edit->hasFocus());
    speed->click();
    QTest::mousePress(menu, Qt::LeftButton);
    QMenu* popup = menu->findChild<QMenu*>();
    ASSERT_TRUE(popup);
    EXPECT_TRUE(popup->isVisible());
    const QList<QAction*> items = popup->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[1]->menu()->actions().size(), 1);
    items[0]->trigger();
    items[1]->menu()->actions()[0]->trigger();
    EXPECT_EQ(m_events, (QStringList{S("1 H7"), S("4 H7"), S("3 H7"), S("4 Q"), S("3 Q"),
                                     S("4 P1_7"), S("4 P2")}));
    m_root.reset();
    EXPECT_TRUE(m_window.findChildren<QWidget*>().isEmpty());
}

// The memos store through the record: paragraph marks for a multi-line
// memo, LIMIT kept, control characters dropped from a single-line one when
// it is left; the marker memo keeps its stored text. TEXT and PANEL show
// what the form answers, and a link in a panel asks for "name|link".
TEST_F(FieldEditorsTest, RichFieldsStoreAndShow)
{
    m_answers.insert(S("T"), {S("Raz \x1b"
                                "CR\x1a"
                                "dwa\x1b/\x1a"
                                "trzy")});
    m_answers.insert(S("P"), {S("Zobacz \x1bLid|Opis\x1a")});
    Build("BEGIN MEMO 'M' MULTILINE LIMIT 6 ON 0,0,100,60 MEMO 'S' ON 0,70,100,30 "
          "MARKERS 'K' MASK '^|a|Autor|' ON 0,110,150,0 TEXT 'T' ON 200,0,100,60 "
          "PANEL 'P' ON 200,70,150,80 END",
          "M|x\x1b/y|K|^aZ^qQ|");
    const QList<QTextEdit*> memos = m_window.findChildren<QTextEdit*>();
    ASSERT_EQ(memos.size(), 4);
    QTextEdit* multi = memos[0];
    QTextEdit* single = memos[1];
    auto* markers = qobject_cast<TSMemo*>(memos[2]);
    QTextEdit* text = memos[3];
    ASSERT_TRUE(markers);
    EXPECT_EQ(multi->toPlainText(), S("x\ny"));
    EXPECT_EQ(markers->StoredText(), S("^aZQ")) << "markers without a definition go";
    EXPECT_EQ(markers->height(), markers->OneLineHeight());
    EXPECT_EQ(text->toPlainText(), S("Raz dwa\ntrzy"));

    multi->setFocus();
    multi->moveCursor(QTextCursor::End);
    QTest::keyClick(multi, Qt::Key_Return);
    QTest::keyClicks(multi, S("zzz"));
    EXPECT_EQ(m_record.Value(S("M")), S("x\x1b/y\x1b/zz"));
    single->setFocus();
    single->insertPlainText(S("a\tb"));
    markers->setFocus();
    EXPECT_EQ(m_record.Value(S("S")), S("ab"));
    QTest::keyClicks(markers, S("X"));
    EXPECT_EQ(m_record.Value(S("K")), markers->StoredText());
    EXPECT_TRUE(m_record.Value(S("K")).contains(u'X'));

    m_answers[S("T")] = {S("nowy")};
    m_root->refresh(S("T"));
    EXPECT_EQ(text->toPlainText(), S("nowy"));

    const QList<LMLink*> links = m_window.findChildren<LMLink*>();
    ASSERT_EQ(links.size(), 1);
    m_events.clear();
    QTest::mouseClick(links[0], Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([this] { return m_events.contains(S("4 P|id|Opis")); }))
        << m_events.join(u',').toStdString();
}

// A group places its fields from its own position; TABS pages put the
// focus on their first field when shown, and only the shown page answers
// for the first field; a FORM without a picture has no button, opens on a
// refresh of its name with its fields relative to its window, and tells
// the form of the opening and the closing.
TEST_F(FieldEditorsTest, TabsGroupsAndSubforms)
{
    Build("BEGIN TABS ON 0,0,300,100 'Pierwsza' BEGIN FIELD 'A' ON 10,10,80 END "
          "'Druga' BEGIN FIELD 'B' ON 10,10,80 END END "
          "ON 10,110 BEGIN FIELD 'G' ON 5,5,60 END "
          "FORM 'OPCJE' MASK 'Opcje' ON 0,160,50,20 BEGIN CHECK 'C' MASK 'Tak' ON 10,10,80 END "
          "END");
    auto* tabs = Find<QTabWidget>();
    ASSERT_TRUE(tabs);
    EXPECT_EQ(tabs->tabPosition(), QTabWidget::East);
    EXPECT_EQ(tabs->count(), 2);
    ASSERT_EQ(m_window.findChildren<QLineEdit*>().size(), 3);
    auto* a = tabs->widget(0)->findChild<QLineEdit*>();
    auto* b = tabs->widget(1)->findChild<QLineEdit*>();
    auto* group = m_window.findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_TRUE(a && b && group);
    EXPECT_EQ(group->geometry(), QRect(15, 115, 60, 20));
    ASSERT_TRUE(m_root->focus_first());
    EXPECT_TRUE(a->hasFocus());
    tabs->setCurrentIndex(1);
    EXPECT_TRUE(b->hasFocus());
    a->setFocus();
    EXPECT_TRUE(m_root->focus_first());
    EXPECT_TRUE(b->hasFocus()) << "the hidden page does not answer";
    EXPECT_FALSE(m_window.findChild<QToolButton*>(QString(), Qt::FindDirectChildrenOnly)
                     ->isVisibleTo(&m_window));

    m_events.clear();
    QString title;
    PrepareModalAnswer([&title](QDialog& dialog) {
        title = dialog.windowTitle();
        auto* check = dialog.findChild<QCheckBox*>();
        if (check != nullptr && check->geometry().topLeft() == QPoint(10, 10))
            check->click();
        return int(QDialog::Rejected);
    });
    m_root->refresh(S("OPCJE"));
    EXPECT_EQ(title, S("Opcje"));
    EXPECT_EQ(m_record.Value(S("C")), S("T"));
    EXPECT_TRUE(m_events.contains(S("4 OPCJE")));
    EXPECT_EQ(m_events.last(), S("3 OPCJE"));
    EXPECT_TRUE(m_window.findChildren<QCheckBox*>().isEmpty()) << "built on each opening";
    m_root.reset();
    EXPECT_TRUE(m_window.findChildren<QWidget*>().isEmpty());
}

// A LIST of 5 visible rows over values in rows 1 to 12: scrolling keeps
// every value and shows the rows' own; the marks say where values lie and
// take the list there; the search and the wheel move it too.
TEST_F(FieldEditorsTest, ListRowsAreAWindowOntoTheRecord)
{
    QString initial;
    for (int row = 1; row <= 12; ++row)
        initial += QStringLiteral("A%1|%2|").arg(row).arg(QChar(u'a' + row - 1));
    const QByteArray values = initial.toUtf8();
    Build("BEGIN LIST '$' OF 5 ON 0,0,200,105 BEGIN NO '$' ON 0,2 FIELD 'A$' ON 30,0,100 END END",
          values.constData());
    auto* list = dynamic_cast<ed_list*>(m_root->Children().front().get());
    ASSERT_TRUE(list);
    auto shown = [this] {
        QString texts;
        for (QLineEdit* edit : m_window.findChildren<QLineEdit*>())
            texts += edit->text();
        return texts;
    };
    auto marks = [this] {
        QString visible;
        for (QLabel* label : m_window.findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
            visible += label->isVisibleTo(&m_window) ? u'1' : u'0';
        return visible;
    };
    EXPECT_EQ(shown(), S("abcde"));
    EXPECT_EQ(marks(), S("01")) << "upper hidden, lower shown";

    QLineEdit* first = m_window.findChildren<QLineEdit*>().front();
    first->setFocus();
    QTest::keyClicks(first, S("x"));
    list->ScrollTo(2);
    EXPECT_EQ(shown(), S("bcdef"));
    EXPECT_EQ(m_record.Value(S("A1")), S("ax"));
    EXPECT_EQ(marks(), S("11"));

    QTest::mousePress(m_window.findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)[1],
                      Qt::LeftButton);
    EXPECT_EQ(list->Position(), 12);
    EXPECT_EQ(marks(), S("10"));
    QTest::mousePress(m_window.findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)[0],
                      Qt::LeftButton);
    EXPECT_EQ(list->Position(), 1);

    PrepareModalAnswer([](QDialog& dialog) {
        auto* box = qobject_cast<QInputDialog*>(&dialog);
        if (box == nullptr || box->windowTitle() != S("Wyszukaj tekst"))
            return int(QDialog::Rejected);
        box->setTextValue(S("h"));
        return int(QDialog::Accepted);
    });
    list->Search();
    EXPECT_EQ(list->Position(), 8);
    EXPECT_TRUE(list->wheel(2));
    EXPECT_EQ(list->Position(), 6);
}

// A TABLE names each cell by its column and row and tells the form of each
// cell; a locked cell cannot be chosen and is drawn grey; the first cell
// that can be edited is the current one.
TEST_F(FieldEditorsTest, TableCellsEditTheirValues)
{
    m_record.SetReadOnly(S("R1"), true);
    Build("BEGIN TABLE 'r' OF 3 MASK '60|Rodzaj|Rr|x|80|Limit|Lr|x|' ON 0,0,200,100 END",
          "R1|CZO Czytelnia ogólna|L1|5|");
    auto* table = Find<QTableWidget>();
    ASSERT_TRUE(table);
    EXPECT_EQ(table->columnWidth(1), 80);
    EXPECT_EQ(table->item(0, 1)->text(), S("5"));
    EXPECT_EQ(m_events,
              (QStringList{S("0 R1"), S("0 R2"), S("0 R3"), S("0 L1"), S("0 L2"), S("0 L3")}));
    EXPECT_EQ(table->currentRow(), 1);
    EXPECT_EQ(table->currentColumn(), 0);
    table->setCurrentCell(0, 0);
    EXPECT_EQ(table->currentRow(), 1) << "a locked cell is not chosen";

    m_events.clear();
    table->setFocus();
    table->editItem(table->item(1, 0));
    auto* cell = table->findChild<QLineEdit*>();
    ASSERT_TRUE(cell);
    QTest::keyClicks(cell, S("ab"));
    EXPECT_EQ(m_record.Value(S("R2")), S("ab"));
    table->setCurrentCell(2, 1);
    EXPECT_EQ(m_events, (QStringList{S("1 R2"), S("2 R2"), S("2 R2"), S("3 R2")}));

    m_record.SetValue(S("L3"), S("9"));
    m_root->refresh(S("L3"));
    EXPECT_EQ(table->item(2, 1)->text(), S("9"));
    const QImage drawn = table->viewport()->grab().toImage();
    const QRect locked = table->visualItemRect(table->item(0, 0));
    EXPECT_EQ(drawn.pixelColor(locked.bottomRight() - QPoint(3, 3)), QColor(0xE0, 0xE0, 0xE0));
}

// A DYNAMIC shows the case block of each instance one below the other; an
// unknown case value is skipped; when only the last instance changes, the
// others keep their very controls and the first new one takes the focus; a
// deletable instance has a button that asks for "HELP." and the instance.
TEST_F(FieldEditorsTest, DynamicInstancesKeepWhatDidNotChange)
{
    m_record.SetValue(S("D"), S("K|1||X|2||L|3|U|K|4||"));
    Build("BEGIN DYNAMIC 'D' OF '$' ON 0,0,300,200 "
          "'K' BEGIN FIELD 'K$' ON 0,0,80 END "
          "'L' BEGIN LABEL 'Etykieta' ON 0,0 FIELD 'L$' ON 0,20,80 END END END");
    auto tops = [this] {
        QStringList where;
        for (QLineEdit* edit : m_window.findChildren<QLineEdit*>())
            where << QString::number(edit->y());
        return where.join(u',');
    };
    EXPECT_EQ(tops(), S("0,40,60")) << "K1 at 0, L3 20 below its start at 20, K4 below L3";
    const QList<QLineEdit*> before = m_window.findChildren<QLineEdit*>();
    ASSERT_EQ(before.size(), 3);
    auto* remove = m_window.findChild<QToolButton*>();
    ASSERT_TRUE(remove);
    m_events.clear();
    remove->click();
    EXPECT_EQ(m_events, (QStringList{S("3 K1"), S("4 HELP.D.L.3")})) << "the field left commits";

    m_record.SetValue(S("D"), S("K|1||X|2||L|3|U|K|5||"));
    m_root->refresh(S("D"));
    // The instances are built once the refresh has returned.
    const QPointer<QLineEdit> replaced(before[2]);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return replaced.isNull() && m_window.findChildren<QLineEdit*>().size() == 3; }));
    const QList<QLineEdit*> after = m_window.findChildren<QLineEdit*>();
    EXPECT_EQ(after[0], before[0]);
    EXPECT_EQ(after[1], before[1]);
    EXPECT_TRUE(after[2]->hasFocus()) << "the first new instance takes the focus";
    EXPECT_EQ(tops(), S("0,40,60"));
}

} // namespace
