// Form1, the one window of Tarvinel: eight parameter boxes, four output
// boxes, three buttons, the two mode buttons, the chart and the timer, at
// fixed pixel positions. It implements the FormPort that the handlers use,
// wires every control event to its handler, and runs every handler inside
// one guard that reports an escaping error in a modal box.
#pragma once

#include <QWidget>
#include <array>
#include <exception>
#include <functional>
#include <optional>
#include <string>

#include "model/form_port.hpp"
#include "model/simulator.hpp"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace tarvinel {

class Chart;
class ChartWidget;

class MainWindow final : public QWidget, public FormPort {
    Q_OBJECT

public:
    using ErrorReporter = std::function<void(const std::exception&)>;

    MainWindow(SimState& state, Chart& chart, ErrorReporter reporter, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Runs the creation handler; called once, before the window is shown.
    void create();
    // One period of the timer: the tick, inside the guard.
    void runTick();

    // FormPort
    [[nodiscard]] std::string text(EditBox box) const override;
    void setText(EditBox box, std::string_view text) override;
    [[nodiscard]] bool timerEnabled() const override;
    void setTimerEnabled(bool enabled) override;
    void checkModeButton(Irrigation mode) override;

    [[nodiscard]] Simulator& simulator() noexcept { return sim_; }
    [[nodiscard]] QTimer& timer() noexcept { return *timer1_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildLayout();
    void wireEvents();
    enum class Origin { User, Timer };
    // Runs one handler; an error that escapes it is reported, one box at a time.
    void guarded(const std::function<void()>& handler, Origin origin = Origin::User);
    void report(const std::exception& error, Origin origin);

    Simulator sim_;
    ErrorReporter reporter_;
    bool reporting_ = false;                      // an error box is open
    std::optional<std::string> lastTickFailure_;  // the report of the failing tick, shown once

    std::array<QLineEdit*, kEditBoxCount> edits_{};
    QPushButton* button1_ = nullptr;
    QPushButton* button2_ = nullptr;
    QPushButton* button3_ = nullptr;
    QRadioButton* radioButton1_ = nullptr;
    QRadioButton* radioButton2_ = nullptr;
    ChartWidget* chart1_ = nullptr;
    QTimer* timer1_ = nullptr;
};

}  // namespace tarvinel
