#pragma once
// The program's icon resources in the Qt host: an icon's pictures as a QIcon for a
// window, and one icon drawn to the size of a dialog's icon control.

#include <QIcon>
#include <QPixmap>
#include <initializer_list>

namespace platform {

// Every picture of these icon resources up to maxSize pixels, one per size; a null
// icon when there is none.
QIcon LoadIconResources(std::initializer_list<int> ids, int maxSize);

// The icon drawn as large as fits, centred, into a transparent picture of the size in
// logical pixels with the device pixels of the ratio: crisp at any ratio. A null
// picture when there is no such icon.
QPixmap IconPicture(int id, QSize size, qreal ratio);

}  // namespace platform
