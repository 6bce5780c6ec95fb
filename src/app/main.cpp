// Program start: the application, the number format from the user's
// regional settings, the window with its creation handler, the event loop.
#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QScreen>

#include "app/main_window.hpp"
#include "model/sim_state.hpp"
#include "view/chart.hpp"
#include "view/error_box.hpp"
#include "view/system_locale.hpp"

namespace {

// Tahoma, 11 pixels high, where the system has it: installed as a font, or
// as the copy Debian's fonts-wine keeps outside the font path. A close
// sans-serif font elsewhere.
QFont windowFont()
{
    const QString family = QStringLiteral("Tahoma");
    if (!QFontDatabase::families().contains(family)) {
        for (const char* file : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"}) {
            QFontDatabase::addApplicationFont(QString::fromUtf8(file));
        }
    }
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

}  // namespace

int main(int argc, char** argv)
{
    // The layout is in pixels at 96 dpi and is not scaled to the screen.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication app(argc, argv);
    QApplication::setFont(windowFont());

    tarvinel::loadSystemNumberFormat();
    tarvinel::NumberFormatRefresher refresher;
    QCoreApplication::instance()->installEventFilter(&refresher);

    // The one simulation state and chart of the program's run.
    tarvinel::SimState state;
    tarvinel::Chart chart;
    tarvinel::MainWindow window(state, chart, &tarvinel::reportError);
    window.create();  // an error is reported before the window opens

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
    window.show();
    return QApplication::exec();
}
