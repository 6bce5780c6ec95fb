// Fills the process-wide number format from the user's regional settings.
//
// The settings are Qt's system locale: on Linux the numeric locale the user
// chose through LC_ALL, LC_NUMERIC or LANG, which Qt reads itself, so this
// works even where the C library has no data for that locale. The program
// start calls loadSystemNumberFormat() before the window is created and
// installs a NumberFormatRefresher on the application object, so that the
// record is filled again whenever the platform announces a locale change.
#pragma once

#include <QLocale>
#include <QObject>

#include "view/number_format.hpp"

class QEvent;

namespace tarvinel {

// The two separators of a locale: the first character of its decimal point
// and of its group separator, "." and "," where the locale gives none.
[[nodiscard]] NumberFormat numberFormatOf(const QLocale& locale);

// numberFormat() := numberFormatOf(QLocale::system()).
void loadSystemNumberFormat();

// An application-wide event filter that reloads the number format on every
// QEvent::LocaleChange it sees; it never consumes the event. Install it with
// QCoreApplication::instance()->installEventFilter(&refresher).
class NumberFormatRefresher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace tarvinel
