#pragma once
// SIGTERM, SIGINT and SIGHUP (a logout, Ctrl+C, the terminal gone) end the program the way File >
// Exit does: the application's event loop is asked to quit, so that what is kept on the way out
// is written. Call once the application object exists.
namespace platform {

void quitOnTerminationSignals();

}  // namespace platform
