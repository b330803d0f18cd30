// A logout or Ctrl+C closes the main window as its close box does, so the settings are saved.
#pragma once

class QWidget;

namespace lumaro {

// Routes SIGTERM and SIGINT to window->close() through the event loop.
void CloseOnTerminationSignals(QWidget* window);

}  // namespace lumaro
