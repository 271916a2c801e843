#include "platform/qt/DrawnIconStyle.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace platform {

namespace {

// Two chevrons, pointing right (horizontal) or down (vertical), in the button text colour.
QIcon ExtensionArrows(bool vertical) {
    QIcon icon;
    for (const int side : {16, 32}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        if (vertical) painter.translate(side, 0), painter.rotate(90);
        painter.scale(side / 16.0, side / 16.0);
        QPainterPath chevrons;
        for (const qreal x : {4.0, 9.0}) {
            chevrons.moveTo(x, 4);
            chevrons.lineTo(x + 3.5, 8);
            chevrons.lineTo(x, 12);
        }
        painter.setPen(QPen(QApplication::palette().color(QPalette::ButtonText), 1.5));
        painter.drawPath(chevrons);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace

QIcon DrawnIconStyle::standardIcon(StandardPixmap which, const QStyleOption* option,
                                   const QWidget* widget) const {
    if (which == SP_ToolBarHorizontalExtensionButton) return ExtensionArrows(false);
    if (which == SP_ToolBarVerticalExtensionButton) return ExtensionArrows(true);
    return QProxyStyle::standardIcon(which, option, widget);
}

}  // namespace platform
