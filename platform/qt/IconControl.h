#pragma once
// A dialog's icon control: the icon drawn to the control's place, at the device pixels
// of the screen it is on, so it stays crisp when the dialog moves to another screen.

#include <QPixmap>
#include <QWidget>

namespace platform {

class IconControl final : public QWidget {
    Q_OBJECT
public:
    IconControl(int icon, QWidget* parent);

    int Icon() const { return icon_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int icon_;
    // The picture for the size and pixel ratio it was last painted at.
    QPixmap picture_;
    QSize pictureSize_;
    qreal pictureRatio_ = 0;
};

}  // namespace platform
