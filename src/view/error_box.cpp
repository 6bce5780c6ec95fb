#include "view/error_box.hpp"

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QWidget>

#include "view/error_report.hpp"

namespace tarvinel {

void showErrorBox(QWidget* owner, const QString& title, const QString& message)
{
    QMessageBox box(QMessageBox::Critical, title, message, QMessageBox::Ok,
                    owner != nullptr ? owner : QApplication::activeWindow());
    // The message quotes what the user typed; it must never be read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void reportError(const std::exception& error)
{
    // A drag in progress would otherwise keep the mouse from reaching the box.
    if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
    const QString title = QString::fromStdString(
        applicationTitle(QCoreApplication::applicationFilePath().toStdString()));
    showErrorBox(nullptr, title, QString::fromStdString(reportMessage(error)));
}

}  // namespace tarvinel
