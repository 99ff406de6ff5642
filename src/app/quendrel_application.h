// SPDX-License-Identifier: MIT
#pragma once

#include <QApplication>

namespace App {

// The application object. An exception that escapes an event handler is
// shown in a message box and the event loop goes on, so one failed action
// does not take the program down.
class QuendrelApplication final : public QApplication {
    Q_OBJECT
    Q_DISABLE_COPY(QuendrelApplication)

public:
    QuendrelApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// The standard exception display: a message box with the message, or with
// an empty message for an exception of no known type.
void ShowException(const QString& message);

} // namespace App
