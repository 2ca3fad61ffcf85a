#pragma once
// The game's icon for the desktop's menu: two cards fanned on the green table.
#include <QImage>

namespace cardset {

// The icon `size` pixels square, drawn anew at every size (transparent corners).
QImage DrawAppIcon(int size);

}  // namespace cardset
