// What the handlers touch of the window, and nothing more: the texts of the
// edit boxes, the enabled flag of the timer and the two mode buttons. The
// main window implements it with widgets; HeadlessForm (below) with plain
// values, for the headless driver and the tests. Both run the same handlers.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "model/sim_state.hpp"

namespace tarvinel {

// The edit boxes of the window. Edit1 to Edit8 hold the parameters
// (r, L, IRN, k, a, TIE, p, v); Edit9 to Edit12 show the clock and the
// phase times (tempo, Ti, Tr, Td).
enum class EditBox { Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10, Edit11, Edit12 };
inline constexpr std::size_t kEditBoxCount = 12;

// The texts the boxes hold when the window opens. Four carry a decimal comma.
[[nodiscard]] std::string_view defaultText(EditBox box) noexcept;

class FormPort {
public:
    FormPort() = default;
    FormPort(const FormPort&) = delete;
    FormPort& operator=(const FormPort&) = delete;
    virtual ~FormPort() = default;

    [[nodiscard]] virtual std::string text(EditBox box) const = 0;
    virtual void setText(EditBox box, std::string_view text) = 0;

    [[nodiscard]] virtual bool timerEnabled() const = 0;
    // Enabling an enabled timer or disabling a disabled one changes nothing;
    // a timer that cannot start raises EOutOfResources.
    virtual void setTimerEnabled(bool enabled) = 0;

    // Checks the mode button of `mode` ("Sulco" for Furrow, "Faixa" for
    // Border) and unchecks the other; when the button was not checked before,
    // its click handler runs once.
    virtual void checkModeButton(Irrigation mode) = 0;
};

// The form without a window: plain texts, a flag for the timer and the
// checked button. It starts as the layout leaves the window before start-up:
// the default texts, the timer enabled, neither mode button checked.
class HeadlessForm final : public FormPort {
public:
    explicit HeadlessForm(SimState& state);

    [[nodiscard]] std::string text(EditBox box) const override;
    void setText(EditBox box, std::string_view text) override;
    [[nodiscard]] bool timerEnabled() const override { return timerEnabled_; }
    void setTimerEnabled(bool enabled) override { timerEnabled_ = enabled; }
    void checkModeButton(Irrigation mode) override;

    // The checked mode button, if any.
    [[nodiscard]] std::optional<Irrigation> checkedMode() const noexcept { return checked_; }

private:
    SimState& state_;
    std::array<std::string, kEditBoxCount> texts_;
    bool timerEnabled_ = true;
    std::optional<Irrigation> checked_;
};

}  // namespace tarvinel
