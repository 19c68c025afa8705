#pragma once
// The message loop of the program: it runs on the application window until
// WM_QUIT is taken from the queue or the application is ended.

#include "toolkit/control.h"

namespace lobrin {

// Makes `appWindow` the application window, creates its window and everything
// below it, and runs until the quit; then ends the application if the variable
// still holds it.
void RunMessageLoop(TControl*& appWindow);
// Handles every message waiting in the queue.
void ProcessPendingMessages();
// Takes one message from the queue and dispatches it; false when the queue was
// empty or the message was number 0. WM_QUIT only sets QuitReceived.
bool ProcessOneMessage();
// Marks the application as quit and frees the application window held by the
// variable (closing it first when the quit had not been seen yet).
void EndApplication(TControl*& appWindow);

}  // namespace lobrin
