#pragma once
// The application's error box: every error that escapes a handler of the program's
// windows ends that handler and is shown here; the program then goes on running.
#include <QString>
#include <exception>

#include "calc/error.h"
#include "ui/messageboxes.h"

namespace ui {

// The caption of the error box and the name of the program.
inline constexpr const char* kApplicationTitle = "Ostrelix";

// The error's text as the box shows it: a full stop is added unless the text is
// empty or ends in a character whose code is not above that of ".".
QString ErrorBoxText(const QString& text);

// Caption "Ostrelix", the stop icon, an OK button.
void ShowErrorBox(MessageBoxes& boxes, const QString& text);

// Runs one handler body; an error escaping it goes to the error box, so no error
// ever reaches the window toolkit.
template <class Body>
void RunGuarded(MessageBoxes& boxes, Body&& body) noexcept {
    try {
        try {
            body();
        } catch (const std::exception& error) {
            ShowErrorBox(boxes, QString::fromUtf8(error.what()));
        } catch (...) {
            ShowErrorBox(boxes, QStringLiteral("Unknown error"));
        }
    } catch (...) {
        // The error box itself failed (out of memory): nothing more can be shown.
    }
}

}  // namespace ui
