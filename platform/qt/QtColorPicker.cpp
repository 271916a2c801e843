#include "platform/qt/QtColorPicker.h"

#include <QColorDialog>

#include "platform/Window.h"
#include "platform/qt/QtDrawingContext.h"

namespace platform {

namespace {

QColor ToQColor(ColorRef color) {
    return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

ColorRef FromQColor(const QColor& color) {
    return Rgb(color.red(), color.green(), color.blue());
}

}  // namespace

bool QtColorPicker::ChooseColor(Window* owner, ColorRef& color, CustomColors& customColors) {
    QtDrawingContext::FlushAll();
    // Qt keeps one set of custom colours for the application; the caller's set is the one shown.
    for (int i = 0; i < static_cast<int>(customColors.size()); ++i)
        QColorDialog::setCustomColor(i, ToQColor(customColors[static_cast<std::size_t>(i)]));
    QColorDialog dialog(ToQColor(color), dynamic_cast<QWidget*>(owner));
    // A desktop's own picker would neither show nor return the custom colours.
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    const bool chosen = dialog.exec() == QDialog::Accepted;
    for (int i = 0; i < static_cast<int>(customColors.size()); ++i)
        customColors[static_cast<std::size_t>(i)] = FromQColor(QColorDialog::customColor(i));
    if (chosen) color = FromQColor(dialog.selectedColor());
    return chosen;
}

}  // namespace platform
