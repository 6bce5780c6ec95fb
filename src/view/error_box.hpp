// The modal box that reports an error escaped from a handler.
//
// The guard around the event handlers calls reportError(); the box runs its
// own event loop, so repaints and timer ticks go on while it is open.
#pragma once

#include <exception>

class QString;
class QWidget;

namespace tarvinel {

// Shows `message` as plain text in an application-modal box captioned
// `title`, with the critical icon and one OK button, and returns when the
// user closes it. The box belongs to `owner`, or to the active window when
// `owner` is null.
void showErrorBox(QWidget* owner, const QString& title, const QString& message);

// Reports an error: releases a mouse grab in force, then shows the error's
// report message (view/error_report.hpp) in the box, captioned with the
// title derived from the executable's file name.
void reportError(const std::exception& error);

}  // namespace tarvinel
