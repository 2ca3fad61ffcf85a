#pragma once
// The game's names for the desktop.

namespace shell {

// Sets the application's name (the captions of messages without their own) and its desktop file
// name, the app id by which a Wayland desktop matches the running game to its installed launcher
// and icon. To be called before any window exists.
void nameApplication();

}  // namespace shell
