// SPDX-License-Identifier: MIT
#include "app/quendrel_application.h"

#include <QMessageBox>

#include <exception>

namespace App {

QuendrelApplication::QuendrelApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool QuendrelApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowException(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        ShowException(QString());
    }
    return false;
}

void ShowException(const QString& message)
{
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), message, QMessageBox::Ok);
    box.exec();
}

} // namespace App
