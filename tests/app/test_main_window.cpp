#include "app/main_window.hpp"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <array>
#include <gtest/gtest.h>
#include <vector>

#include "view/chart.hpp"
#include "view/chart_widget.hpp"
#include "view/error_box.hpp"
#include "view/number_format.hpp"

namespace tarvinel {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        numberFormat().DecimalSeparator = U',';
        numberFormat().ThousandSeparator = U'.';
        window.create();
        window.show();
    }
    void TearDown() override { numberFormat() = NumberFormat{}; }

    template <class W>
    W* find(const char* name)
    {
        auto* widget = window.findChild<W*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QLineEdit* edit(const char* name) { return find<QLineEdit>(name); }
    void ticks(int n)
    {
        for (int i = 0; i < n && window.timerEnabled(); ++i) window.runTick();
    }

    SimState state;
    Chart chart;
    std::vector<std::string> reports;
    MainWindow window{state, chart, [this](const std::exception& e) { reports.emplace_back(e.what()); }};
};

TEST_F(MainWindowTest, LayoutOfEveryControl)
{
    struct Control {
        const char* name;
        const char* className;
        QRect geometry;
        const char* text;
    };
    const std::array controls{
        Control{"Button1", "QPushButton", {8, 65, 98, 25}, "INICIAR"},
        Control{"Button2", "QPushButton", {117, 65, 84, 25}, "PARAR"},
        Control{"Button3", "QPushButton", {208, 64, 113, 25}, "NOVA SIMULAÇÃO"},
        Control{"RadioButton2", "QRadioButton", {65, 108, 136, 25}, "Faixa"},
        Control{"RadioButton1", "QRadioButton", {63, 139, 138, 25}, "Sulco"},
        Control{"Edit4", "QLineEdit", {65, 237, 121, 21}, "5,5"},
        Control{"Edit5", "QLineEdit", {64, 264, 121, 21}, "0,2"},
        Control{"Edit6", "QLineEdit", {64, 287, 121, 21}, "0,348"},
        Control{"Edit7", "QLineEdit", {64, 309, 121, 21}, "29"},
        Control{"Edit1", "QLineEdit", {72, 336, 113, 21}, "0,87"},
        Control{"Edit2", "QLineEdit", {72, 368, 113, 21}, "300"},
        Control{"Edit3", "QLineEdit", {72, 392, 113, 21}, "25"},
        Control{"Edit8", "QLineEdit", {72, 419, 113, 21}, "100"},
        Control{"Edit9", "QLineEdit", {408, 47, 57, 21}, "0"},
        Control{"Edit10", "QLineEdit", {408, 74, 57, 21}, ""},
        Control{"Edit12", "QLineEdit", {520, 47, 57, 21}, "0"},
        Control{"Edit11", "QLineEdit", {520, 74, 57, 21}, ""},
        Control{"Chart1", "tarvinel::ChartWidget", {207, 145, 951, 390}, ""},
    };
    for (const auto& c : controls) {
        auto* widget = find<QWidget>(c.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_STREQ(widget->metaObject()->className(), c.className) << c.name;
        EXPECT_EQ(widget->geometry(), c.geometry) << c.name;
        QString text;
        if (auto* line = qobject_cast<QLineEdit*>(widget)) text = line->text();
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) text = button->text();
        EXPECT_EQ(text.toStdString(), c.text) << c.name;
    }

    struct Label {
        const char* name;
        const char* caption;
        QPoint at;
    };
    const std::array labels{
        Label{"Label7", "k", {33, 238}},           Label{"Label3", "a", {31, 268}},
        Label{"Label4", "TIE", {33, 289}},         Label{"Label5", "p", {31, 308}},
        Label{"Label1", "r", {33, 339}},           Label{"Label2", "L (m)", {31, 371}},
        Label{"Label6", "IRN (mm)", {21, 395}},    Label{"Label8", "v (%)", {21, 422}},
        Label{"Label9", "tempo (min)", {345, 50}}, Label{"Label10", "Ti (min)", {345, 82}},
        Label{"Label12", "Td", {489, 50}},         Label{"Label11", "Tr", {489, 82}},
        Label{"Label13",
              "OBS: ESTE PROGRAMA NÃO TEM A FUNÇÃO DE DIMENSIONAMENTO, SOMENTE SIMULAÇÃO DAS FASES DA IRRIGAÇÃO  ",
              {45, 723}},
    };
    for (const auto& l : labels) {
        auto* label = find<QLabel>(l.name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text().toStdString(), l.caption) << l.name;
        EXPECT_EQ(label->pos(), l.at) << l.name;
        EXPECT_EQ(label->focusPolicy(), Qt::NoFocus) << l.name;
    }

    EXPECT_EQ(window.windowTitle(), "Tarvinel");
    EXPECT_EQ(window.size(), QSize(1234, 786));
    EXPECT_TRUE(find<QPushButton>("Button1")->isDefault());
    EXPECT_EQ(window.timer().interval(), 50);
}

TEST_F(MainWindowTest, TabOrder)
{
    const std::array order{"Button1", "Edit4",  "Edit5",  "Edit6",   "RadioButton1", "RadioButton2",
                           "Edit7",   "Chart1", "Button2", "Edit1",  "Edit2",        "Edit3",
                           "Edit8",   "Edit9",  "Edit10", "Button3", "Edit11",       "Edit12"};
    // The next widget in the focus chain that Tab can reach.
    const auto nextTabStop = [](QWidget* w) {
        do {
            w = w->nextInFocusChain();
        } while ((w->focusPolicy() & Qt::TabFocus) == 0);
        return w;
    };
    for (std::size_t i = 1; i < order.size(); ++i) {
        EXPECT_EQ(nextTabStop(find<QWidget>(order[i - 1]))->objectName().toStdString(), order[i])
            << "after " << order[i - 1];
    }
}

TEST_F(MainWindowTest, StartsStoppedInFurrowMode)
{
    EXPECT_TRUE(find<QRadioButton>("RadioButton1")->isChecked());
    EXPECT_FALSE(find<QRadioButton>("RadioButton2")->isChecked());
    EXPECT_FALSE(window.timerEnabled());
    EXPECT_EQ(edit("Edit9")->text(), "0");
    EXPECT_EQ(edit("Edit12")->text(), "0");
    EXPECT_TRUE(reports.empty());
}

TEST_F(MainWindowTest, EnterInTheLengthBoxStartsAndTheButtonsControlTheRun)
{
    auto* length = edit("Edit2");
    length->setFocus();
    length->setText("200");
    QTest::keyClick(length, Qt::Key_Return);
    EXPECT_TRUE(window.timerEnabled());
    ticks(12);
    EXPECT_EQ(chart.BottomAxis.Maximum(), 200);

    auto* stop = find<QPushButton>("Button2");
    stop->setFocus();
    QTest::keyClick(stop, Qt::Key_Return);  // Enter on "PARAR" clicks "PARAR"
    EXPECT_FALSE(window.timerEnabled());
    const double clock = state.Clock;
    QTest::mouseClick(find<QPushButton>("Button1"), Qt::LeftButton);
    EXPECT_TRUE(window.timerEnabled());
    QTest::mouseClick(find<QPushButton>("Button1"), Qt::LeftButton);  // twice: one timer
    ticks(1);
    EXPECT_EQ(state.Clock, clock + 1.0 / 12);

    ticks(2000);  // the run ends by itself at Tr
    EXPECT_FALSE(window.timerEnabled());
    EXPECT_GE(state.Clock, state.Tr);
    EXPECT_EQ(chart.Series1.Count(), 0U);
    EXPECT_TRUE(reports.empty());
}

TEST_F(MainWindowTest, EnterOnAModeButtonStartsTheRun)
{
    auto* border = find<QRadioButton>("RadioButton2");
    border->setFocus();
    QTest::keyClick(border, Qt::Key_Enter);
    EXPECT_TRUE(window.timerEnabled());
}

TEST_F(MainWindowTest, ModeButtonsRunTheirHandlerOnlyWhenTheyBecomeChecked)
{
    auto* furrow = find<QRadioButton>("RadioButton1");
    auto* border = find<QRadioButton>("RadioButton2");
    const QPoint onTheCaption(10, 12);
    QTest::mouseClick(border, Qt::LeftButton, {}, onTheCaption);
    EXPECT_EQ(state.IrrigationMode, Irrigation::Border);
    window.simulator().Button1Click();
    ticks(1);
    EXPECT_NEAR(state.RecessionCoef, 4.3223403129, 1e-10);
    state.RecessionCoef = 1.25;
    QTest::mouseClick(border, Qt::LeftButton, {}, onTheCaption);  // already checked: nothing runs
    EXPECT_EQ(state.RecessionCoef, 1.25);
    QTest::mouseClick(furrow, Qt::LeftButton, {}, onTheCaption);
    EXPECT_EQ(state.RecessionCoef, 80);
    EXPECT_TRUE(furrow->isChecked());
    EXPECT_FALSE(border->isChecked());
}

TEST_F(MainWindowTest, ResizingMovesNoControl)
{
    const QRect chartPlace = find<QWidget>("Chart1")->geometry();
    window.resize(800, 500);
    EXPECT_EQ(find<QWidget>("Chart1")->geometry(), chartPlace);
    EXPECT_EQ(find<QWidget>("Edit2")->geometry(), QRect(72, 368, 113, 21));
}

TEST_F(MainWindowTest, ATickThatKeepsFailingIsReportedOnce)
{
    window.simulator().Button1Click();
    ticks(3);
    edit("Edit4")->setText("abc");
    ticks(10);
    ASSERT_EQ(reports.size(), 1U);
    EXPECT_EQ(reports[0], "'abc' is not a valid floating point value");
    EXPECT_TRUE(window.timerEnabled());

    edit("Edit4")->setText("abd");  // another cause: reported
    ticks(10);
    ASSERT_EQ(reports.size(), 2U);

    QTest::mouseClick(find<QPushButton>("Button3"), Qt::LeftButton);  // the user acts: reported again
    ticks(10);
    ASSERT_EQ(reports.size(), 3U);

    edit("Edit4")->setText("5,5");  // a tick succeeds: the next failure is news
    ticks(1);
    edit("Edit4")->setText("abd");
    ticks(10);
    ASSERT_EQ(reports.size(), 4U);
}

// The real error box: one box at a time, while ticks keep failing.
TEST(MainWindowErrors, ALetterInTheBoxOfKDuringARunReportsOneBox)
{
    numberFormat().DecimalSeparator = U',';
    SimState state;
    Chart chart;
    MainWindow window(state, chart, &reportError);
    window.create();
    window.show();
    window.simulator().Button3Click();
    window.simulator().Button1Click();
    for (int i = 0; i < 12; ++i) window.runTick();
    window.findChild<QLineEdit*>("Edit4")->setText("5,5x");

    int boxesSeen = 0;
    QString text;
    QString title;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        ++boxesSeen;
        text = box->text();
        title = box->windowTitle();
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        // Ticks go on while the box is open and fail again: no second box.
        for (int i = 0; i < 3; ++i) window.runTick();
        EXPECT_EQ(QApplication::activeModalWidget(), box);
        box->accept();
    });
    window.runTick();
    EXPECT_EQ(boxesSeen, 1);
    EXPECT_EQ(text.toStdString(), "'5,5x' is not a valid floating point value.");
    EXPECT_EQ(title, "test_main_window");  // the executable's name
    EXPECT_EQ(chart.Series2.Count(), 0U);  // the profiles vanish while the text is wrong

    window.findChild<QLineEdit*>("Edit4")->setText("5,5");
    window.runTick();
    EXPECT_GT(chart.Series2.Count(), 0U);
    numberFormat() = NumberFormat{};
}

}  // namespace
}  // namespace tarvinel
