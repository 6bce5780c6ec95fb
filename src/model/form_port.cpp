#include "model/form_port.hpp"

namespace tarvinel {

std::string_view defaultText(EditBox box) noexcept
{
    switch (box) {
    case EditBox::Edit1: return "0,87";   // r
    case EditBox::Edit2: return "300";    // L (m)
    case EditBox::Edit3: return "25";     // IRN (mm)
    case EditBox::Edit4: return "5,5";    // k
    case EditBox::Edit5: return "0,2";    // a
    case EditBox::Edit6: return "0,348";  // TIE
    case EditBox::Edit7: return "29";     // p
    case EditBox::Edit8: return "100";    // v (%)
    case EditBox::Edit9: return "0";      // tempo (min)
    case EditBox::Edit10: return "";      // Ti (min)
    case EditBox::Edit11: return "";      // Tr
    case EditBox::Edit12: return "0";     // Td
    }
    return "";
}

HeadlessForm::HeadlessForm(SimState& state) : state_(state)
{
    for (std::size_t i = 0; i < kEditBoxCount; ++i) texts_[i] = defaultText(static_cast<EditBox>(i));
}

std::string HeadlessForm::text(EditBox box) const { return texts_[static_cast<std::size_t>(box)]; }

void HeadlessForm::setText(EditBox box, std::string_view text)
{
    texts_[static_cast<std::size_t>(box)] = text;
}

void HeadlessForm::checkModeButton(Irrigation mode)
{
    if (checked_ == mode) return;
    checked_ = mode;
    if (mode == Irrigation::Furrow) {
        RadioButton1Click(state_);
    } else {
        RadioButton2Click(state_);
    }
}

}  // namespace tarvinel
