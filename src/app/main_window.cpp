#include "app/main_window.hpp"

#include <QApplication>
#include <algorithm>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTimer>

#include "numeric/errors.hpp"
#include "view/chart.hpp"
#include "view/chart_widget.hpp"
#include "view/error_report.hpp"

namespace tarvinel {

namespace {

struct Place {
    int left, top, width, height;
};

struct EditSpec {
    EditBox box;
    const char* name;
    Place place;
};

// The boxes in the order the Tab key visits them among the other controls
// (see buildLayout).
constexpr std::array<EditSpec, kEditBoxCount> kEdits{{
    {EditBox::Edit1, "Edit1", {72, 336, 113, 21}},
    {EditBox::Edit2, "Edit2", {72, 368, 113, 21}},
    {EditBox::Edit3, "Edit3", {72, 392, 113, 21}},
    {EditBox::Edit4, "Edit4", {65, 237, 121, 21}},
    {EditBox::Edit5, "Edit5", {64, 264, 121, 21}},
    {EditBox::Edit6, "Edit6", {64, 287, 121, 21}},
    {EditBox::Edit7, "Edit7", {64, 309, 121, 21}},
    {EditBox::Edit8, "Edit8", {72, 419, 113, 21}},
    {EditBox::Edit9, "Edit9", {408, 47, 57, 21}},
    {EditBox::Edit10, "Edit10", {408, 74, 57, 21}},
    {EditBox::Edit11, "Edit11", {520, 74, 57, 21}},
    {EditBox::Edit12, "Edit12", {520, 47, 57, 21}},
}};

struct LabelSpec {
    const char* name;
    const char* caption;
    int left, top;
};

constexpr std::array<LabelSpec, 13> kLabels{{
    {"Label7", "k", 33, 238},
    {"Label3", "a", 31, 268},
    {"Label4", "TIE", 33, 289},
    {"Label5", "p", 31, 308},
    {"Label1", "r", 33, 339},
    {"Label2", "L (m)", 31, 371},
    {"Label6", "IRN (mm)", 21, 395},
    {"Label8", "v (%)", 21, 422},
    {"Label9", "tempo (min)", 345, 50},
    {"Label10", "Ti (min)", 345, 82},
    {"Label12", "Td", 489, 50},
    {"Label11", "Tr", 489, 82},
    {"Label13", "OBS: ESTE PROGRAMA NÃO TEM A FUNÇÃO DE DIMENSIONAMENTO, SOMENTE SIMULAÇÃO DAS FASES DA IRRIGAÇÃO  ",
     45, 723},
}};

constexpr int kTextHeight = 13;

void place(QWidget* widget, const Place& p) { widget->setGeometry(p.left, p.top, p.width, p.height); }

}  // namespace

MainWindow::MainWindow(SimState& state, Chart& chart, ErrorReporter reporter, QWidget* parent)
    : QWidget(parent), sim_(state, chart, *this), reporter_(std::move(reporter))
{
    buildLayout();
    wireEvents();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildLayout()
{
    setObjectName("Form1");
    setWindowTitle("Tarvinel");
    resize(1234, 786);
    // The window is drawn in the button-face colour of the system.
    QPalette face = palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    setPalette(face);
    setAutoFillBackground(true);

    const auto makeButton = [this](const char* name, const char* caption, Place p) {
        auto* button = new QPushButton(QString::fromUtf8(caption), this);
        button->setObjectName(name);
        place(button, p);
        return button;
    };
    button1_ = makeButton("Button1", "INICIAR", {8, 65, 98, 25});
    button2_ = makeButton("Button2", "PARAR", {117, 65, 84, 25});
    button3_ = makeButton("Button3", "NOVA SIMULAÇÃO", {208, 64, 113, 25});
    button1_->setDefault(true);

    radioButton2_ = new QRadioButton("Faixa", this);
    radioButton2_->setObjectName("RadioButton2");
    place(radioButton2_, {65, 108, 136, 25});
    radioButton1_ = new QRadioButton("Sulco", this);
    radioButton1_->setObjectName("RadioButton1");
    place(radioButton1_, {63, 139, 138, 25});

    for (const auto& spec : kLabels) {
        auto* label = new QLabel(QString::fromUtf8(spec.caption), this);
        label->setObjectName(spec.name);
        // A label takes the size of its caption, and at least the 13-pixel
        // height of a line of text, so that accents above capitals show.
        label->move(spec.left, spec.top);
        label->adjustSize();
        label->resize(label->width(), std::max(label->height(), kTextHeight));
    }

    for (const auto& spec : kEdits) {
        auto* edit = new QLineEdit(QString::fromUtf8(defaultText(spec.box).data()), this);
        edit->setObjectName(spec.name);
        place(edit, spec.place);
        edits_[static_cast<std::size_t>(spec.box)] = edit;
    }

    chart1_ = new ChartWidget(sim_.chart(), this);
    chart1_->setObjectName("Chart1");
    chart1_->setFocusPolicy(Qt::StrongFocus);
    place(chart1_, {207, 145, 951, 390});

    const auto edit = [this](EditBox box) -> QWidget* { return edits_[static_cast<std::size_t>(box)]; };
    const std::array<QWidget*, 18> tabOrder{
        button1_,           edit(EditBox::Edit4), edit(EditBox::Edit5),  edit(EditBox::Edit6),
        radioButton1_,      radioButton2_,        edit(EditBox::Edit7),  chart1_,
        button2_,           edit(EditBox::Edit1), edit(EditBox::Edit2),  edit(EditBox::Edit3),
        edit(EditBox::Edit8), edit(EditBox::Edit9), edit(EditBox::Edit10), button3_,
        edit(EditBox::Edit11), edit(EditBox::Edit12),
    };
    for (std::size_t i = 1; i < tabOrder.size(); ++i) QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);

    // The timer is enabled as the window is built; the creation handler
    // stops it before any tick can run.
    timer1_ = new QTimer(this);
    timer1_->setObjectName("Timer1");
    timer1_->setInterval(50);
    timer1_->setTimerType(Qt::CoarseTimer);
    timer1_->start();
}

void MainWindow::wireEvents()
{
    connect(button1_, &QPushButton::clicked, this, [this] { guarded([this] { sim_.Button1Click(); }); });
    connect(button2_, &QPushButton::clicked, this, [this] { guarded([this] { sim_.Button2Click(); }); });
    connect(button3_, &QPushButton::clicked, this, [this] { guarded([this] { sim_.Button3Click(); }); });
    // A mode button's handler runs when it becomes checked, by the user or from code.
    connect(radioButton1_, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) guarded([this] { sim_.RadioButton1Click(); });
    });
    connect(radioButton2_, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) guarded([this] { sim_.RadioButton2Click(); });
    });
    connect(edits_[static_cast<std::size_t>(EditBox::Edit3)], &QLineEdit::textChanged, this,
            [this] { guarded([this] { sim_.Edit3Change(); }); });
    connect(timer1_, &QTimer::timeout, this, &MainWindow::runTick);
}

void MainWindow::create()
{
    guarded([this] { sim_.FormCreate(); });
}

void MainWindow::runTick()
{
    guarded([this] { sim_.Timer1Timer(); }, Origin::Timer);
}

void MainWindow::guarded(const std::function<void()>& handler, Origin origin)
{
    try {
        handler();
    } catch (const std::exception& error) {
        report(error, origin);
        return;
    }
    // A tick that succeeds, or anything the user does, ends the silence
    // about a repeated failure of the tick.
    lastTickFailure_.reset();
}

void MainWindow::report(const std::exception& error, Origin origin)
{
    // The box runs its own event loop and ticks go on meanwhile: while one
    // report is open, the errors raised meanwhile are not reported, so at
    // most one box is ever open.
    if (reporting_) return;
    // A tick that keeps failing for the same reason is reported once, not
    // every 50 ms: otherwise a new box would open as soon as the last one
    // closed and the user could never reach the boxes or "PARAR".
    const std::string message = reportMessage(error);
    if (origin == Origin::Timer) {
        if (lastTickFailure_ == message) return;
        lastTickFailure_ = message;
    } else {
        lastTickFailure_.reset();
    }
    reporting_ = true;
    const auto done = qScopeGuard([this] { reporting_ = false; });
    reporter_(error);
}

std::string MainWindow::text(EditBox box) const
{
    return edits_[static_cast<std::size_t>(box)]->text().toStdString();
}

void MainWindow::setText(EditBox box, std::string_view text)
{
    QLineEdit* edit = edits_[static_cast<std::size_t>(box)];
    edit->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    edit->home(false);  // a long number shows from its first digit
}

bool MainWindow::timerEnabled() const { return timer1_->isActive(); }

void MainWindow::setTimerEnabled(bool enabled)
{
    if (enabled == timer1_->isActive()) return;
    if (!enabled) {
        timer1_->stop();
        return;
    }
    timer1_->start();
    if (!timer1_->isActive()) throw Error(ErrorKind::EOutOfResources, "Not enough timers available");
}

void MainWindow::checkModeButton(Irrigation mode)
{
    (mode == Irrigation::Furrow ? radioButton1_ : radioButton2_)->setChecked(true);
}

// Enter clicks the focused push button, and "INICIAR" from anywhere else.
void MainWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
        button->click();
    } else {
        button1_->click();
    }
}

}  // namespace tarvinel
