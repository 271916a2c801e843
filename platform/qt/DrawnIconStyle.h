#pragma once
// The desktop's own widget style, except that the menu bar's overflow arrows are
// drawn in code. Qt's own arrows are image files, and reading the first image file
// loads every image-format plug-in (the SVG one with its library): a tenth of
// start-up, for a button the game's menu bar never shows at its smallest width.

#include <QProxyStyle>

namespace platform {

class DrawnIconStyle final : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option,
                       const QWidget* widget) const override;
};

}  // namespace platform
