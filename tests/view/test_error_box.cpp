#include "view/error_box.hpp"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <functional>
#include <optional>
#include <stdexcept>

#include "numeric/errors.hpp"

namespace tarvinel {
namespace {

// What the closer saw of the modal box before it pressed OK.
struct SeenBox {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons standardButtons;
    qsizetype buttonCount = 0;
    Qt::TextFormat textFormat = Qt::AutoText;
    Qt::WindowModality modality = Qt::NonModal;
    QWidget* owner = nullptr;
    QWidget* mouseGrabber = nullptr;
};

// Arms a closer just before the action that opens the box: it runs inside
// the box's own event loop, records the box and clicks its OK button.
std::optional<SeenBox> closeNextBox(const std::function<void()>& action)
{
    std::optional<SeenBox> seen;
    std::function<void()> closer = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            QTimer::singleShot(0, closer);  // not shown yet: look again
            return;
        }
        seen = SeenBox{box->text(),         box->windowTitle(),       box->icon(),
                       box->standardButtons(), box->buttons().size(), box->textFormat(),
                       box->windowModality(), box->parentWidget(),     QWidget::mouseGrabber()};
        box->button(QMessageBox::Ok)->click();
    };
    QTimer::singleShot(0, closer);
    action();
    return seen;
}

TEST(ErrorBox, ShowsTheMessageAsPlainTextWithOneOkButton)
{
    QWidget owner;
    const auto seen = closeNextBox([&] {
        showErrorBox(&owner, QStringLiteral("Tarvinel"), QStringLiteral("<b>5,5</b> & more."));
    });
    ASSERT_TRUE(seen.has_value());
    EXPECT_EQ(seen->text, QStringLiteral("<b>5,5</b> & more."));
    EXPECT_EQ(seen->textFormat, Qt::PlainText);
    EXPECT_EQ(seen->title, QStringLiteral("Tarvinel"));
    EXPECT_EQ(seen->icon, QMessageBox::Critical);
    EXPECT_EQ(seen->standardButtons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(seen->buttonCount, 1);
    EXPECT_EQ(seen->modality, Qt::ApplicationModal);
    EXPECT_EQ(seen->owner, &owner);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);  // closed and gone
}

TEST(ErrorBox, WithoutAnOwnerBelongsToTheActiveWindow)
{
    QWidget window;
    window.show();
    window.activateWindow();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), &window);
    const auto seen = closeNextBox([] { showErrorBox(nullptr, QString(), QStringLiteral("x")); });
    ASSERT_TRUE(seen.has_value());
    EXPECT_EQ(seen->owner, &window);
}

TEST(ReportError, ReleasesTheMouseAndShowsTheReportText)
{
    QWidget window;
    window.show();
    window.grabMouse();
    ASSERT_EQ(QWidget::mouseGrabber(), &window);
    const auto seen = closeNextBox([] {
        try {
            try {
                throw Error(ErrorKind::EConvertError, "'abc' is not a valid floating point value");
            } catch (...) {
                std::throw_with_nested(std::runtime_error("Timer1Timer"));
            }
        } catch (const std::exception& e) {
            reportError(e);
        }
    });
    ASSERT_TRUE(seen.has_value());
    EXPECT_EQ(seen->mouseGrabber, nullptr);
    EXPECT_EQ(seen->text, QStringLiteral("'abc' is not a valid floating point value."));
    // The caption is this executable's name, up to any dot.
    EXPECT_EQ(seen->title, QStringLiteral("test_error_box"));
    EXPECT_EQ(seen->icon, QMessageBox::Critical);
}

}  // namespace
}  // namespace tarvinel
