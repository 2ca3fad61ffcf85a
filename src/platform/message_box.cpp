#include "platform/message_box.h"

#include <QMessageBox>

namespace platform {

void showMessage(QWidget* owner, const QString& text, const QString& caption, MessageIcon icon) {
  QMessageBox box(icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::NoIcon,
                  caption, text, QMessageBox::Ok, owner);
  box.setTextFormat(Qt::PlainText);  // texts are shown as written, never as markup
  box.exec();
}

}  // namespace platform
