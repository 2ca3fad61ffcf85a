#pragma once
// Modal messages with an OK button.
#include <QString>

class QWidget;

namespace platform {

enum class MessageIcon { None, Information };

// Shows `text` under the title `caption` with the given icon and a single OK button and waits
// until the player closes it. `owner` may be null (the message then belongs to no window).
void showMessage(QWidget* owner, const QString& text, const QString& caption,
                 MessageIcon icon = MessageIcon::Information);

}  // namespace platform
