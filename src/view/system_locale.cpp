#include "view/system_locale.hpp"

#include <QEvent>
#include <QString>

namespace tarvinel {

namespace {

// The first code point of a locale's separator, or `missing` when it is empty.
char32_t firstCharacter(const QString& separator, char32_t missing)
{
    const auto codes = separator.toUcs4();
    return codes.isEmpty() ? missing : static_cast<char32_t>(codes.front());
}

}  // namespace

NumberFormat numberFormatOf(const QLocale& locale)
{
    NumberFormat format;
    format.DecimalSeparator = firstCharacter(locale.decimalPoint(), U'.');
    format.ThousandSeparator = firstCharacter(locale.groupSeparator(), U',');
    return format;
}

void loadSystemNumberFormat() { numberFormat() = numberFormatOf(QLocale::system()); }

bool NumberFormatRefresher::eventFilter(QObject* watched, QEvent* event)
{
    // The event reaches the application and then every widget whose locale
    // follows it; reloading each time is cheap and keeps no state here.
    if (event->type() == QEvent::LocaleChange) loadSystemNumberFormat();
    return QObject::eventFilter(watched, event);
}

}  // namespace tarvinel
