#include "platform/qt/IconControl.h"

#include <QPainter>

#include "platform/qt/IconResources.h"

namespace platform {

IconControl::IconControl(int icon, QWidget* parent) : QWidget(parent), icon_(icon) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void IconControl::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    if (pictureSize_ != size() || pictureRatio_ != ratio) {
        picture_ = IconPicture(icon_, size(), ratio);
        pictureSize_ = size();
        pictureRatio_ = ratio;
    }
    if (!picture_.isNull()) QPainter(this).drawPixmap(0, 0, picture_);
}

}  // namespace platform
