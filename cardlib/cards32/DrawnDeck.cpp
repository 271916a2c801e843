#include "cardlib/cards32/DrawnDeck.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <array>
#include <span>
#include <vector>

namespace cards32 {

namespace {

// Everything is laid out on a card of this size and scaled to the target.
constexpr qreal kWidth = 71;
constexpr qreal kHeight = 96;
constexpr qreal kCornerRadius = 5;
const QPointF kCentre(kWidth / 2, kHeight / 2);

QColor InkOf(int suit) {
    const bool red = suit == 1 || suit == 2;
    return red ? QColor(0xC8, 0x10, 0x2E) : QColor(0x1A, 0x1A, 0x22);
}

// The suit symbols in the unit box around the origin, pointing up.
const std::array<QPainterPath, 4>& SuitShapes() {
    static const std::array<QPainterPath, 4> shapes = [] {
        std::array<QPainterPath, 4> s;
        QPainterPath stem;
        stem.moveTo(0, 0.02);
        stem.quadTo(0.02, 0.38, 0.18, 0.5);
        stem.lineTo(-0.18, 0.5);
        stem.quadTo(-0.02, 0.38, 0, 0.02);

        QPainterPath& club = s[0];
        club.setFillRule(Qt::WindingFill);
        club.addEllipse(QPointF(0, -0.25), 0.21, 0.21);
        club.addEllipse(QPointF(-0.25, 0.1), 0.21, 0.21);
        club.addEllipse(QPointF(0.25, 0.1), 0.21, 0.21);
        club.addEllipse(QPointF(0, 0.02), 0.12, 0.12);
        club.addPath(stem);

        QPainterPath& diamond = s[1];
        diamond.moveTo(0, -0.5);
        diamond.quadTo(0.18, -0.2, 0.4, 0);
        diamond.quadTo(0.18, 0.2, 0, 0.5);
        diamond.quadTo(-0.18, 0.2, -0.4, 0);
        diamond.quadTo(-0.18, -0.2, 0, -0.5);

        QPainterPath& heart = s[2];
        heart.moveTo(0, 0.46);
        heart.cubicTo(-0.14, 0.3, -0.5, 0.08, -0.5, -0.18);
        heart.cubicTo(-0.5, -0.5, -0.08, -0.56, 0, -0.26);
        heart.cubicTo(0.08, -0.56, 0.5, -0.5, 0.5, -0.18);
        heart.cubicTo(0.5, 0.08, 0.14, 0.3, 0, 0.46);

        QPainterPath& spade = s[3];
        spade.setFillRule(Qt::WindingFill);
        spade.moveTo(0, -0.5);
        spade.cubicTo(0.14, -0.3, 0.5, -0.12, 0.5, 0.12);
        spade.cubicTo(0.5, 0.36, 0.14, 0.4, 0, 0.22);
        spade.cubicTo(-0.14, 0.4, -0.5, 0.36, -0.5, 0.12);
        spade.cubicTo(-0.5, -0.12, -0.14, -0.3, 0, -0.5);
        spade.addPath(stem);
        return s;
    }();
    return shapes;
}

void DrawSuit(QPainter& painter, int suit, QPointF centre, qreal size, bool upsideDown = false) {
    painter.save();
    painter.translate(centre);
    if (upsideDown) painter.rotate(180);
    painter.scale(size, size);
    painter.setPen(Qt::NoPen);
    painter.setBrush(InkOf(suit));
    painter.drawPath(SuitShapes()[suit]);
    painter.restore();
}

QFont IndexFont(qreal pixelSize, bool narrow) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(static_cast<int>(pixelSize));
    if (narrow) {
        font.setStretch(QFont::Condensed);
        font.setLetterSpacing(QFont::AbsoluteSpacing, -1);
    }
    return font;
}

const char* RankText(int rank) {
    static constexpr std::array<const char*, 13> texts{"A", "2", "3",  "4", "5", "6", "7",
                                                       "8", "9", "10", "J", "Q", "K"};
    return texts[rank];
}

// Rank and suit in the top-left corner, within the strip that shows of a card
// covered in a stack; turned about the centre for the other corner.
void DrawIndex(QPainter& painter, int rank, int suit) {
    painter.setPen(InkOf(suit));
    painter.setFont(IndexFont(14, rank == 9));
    painter.drawText(QRectF(0, 1, 18, 15), Qt::AlignCenter, QString::fromLatin1(RankText(rank)));
    DrawSuit(painter, suit, QPointF(9, 20), 8.5);
}

struct Pip {
    qreal x;
    int row;  // in twelfths of the way from the top row (0) to the bottom row (12)
};

std::span<const Pip> PipLayout(int count) {
    constexpr qreal L = 23, C = kWidth / 2, R = 48;
    static const std::array<std::vector<Pip>, 11> layouts{{
        {},
        {},
        {{C, 0}, {C, 12}},
        {{C, 0}, {C, 6}, {C, 12}},
        {{L, 0}, {R, 0}, {L, 12}, {R, 12}},
        {{L, 0}, {R, 0}, {C, 6}, {L, 12}, {R, 12}},
        {{L, 0}, {R, 0}, {L, 6}, {R, 6}, {L, 12}, {R, 12}},
        {{L, 0}, {R, 0}, {C, 3}, {L, 6}, {R, 6}, {L, 12}, {R, 12}},
        {{L, 0}, {R, 0}, {C, 3}, {L, 6}, {R, 6}, {C, 9}, {L, 12}, {R, 12}},
        {{L, 0}, {R, 0}, {L, 4}, {R, 4}, {C, 6}, {L, 8}, {R, 8}, {L, 12}, {R, 12}},
        {{L, 0}, {R, 0}, {C, 2}, {L, 4}, {R, 4}, {L, 8}, {R, 8}, {C, 10}, {L, 12}, {R, 12}},
    }};
    return layouts[count];
}

void DrawCentre(QPainter& painter, int rank, int suit) {
    if (rank == 0) {
        DrawSuit(painter, suit, kCentre, 30);
        return;
    }
    if (rank >= 10) {
        const QRectF frame(19.5, 14.5, 32, 67);
        QColor tint = InkOf(suit);
        tint.setAlpha(28);
        painter.setPen(QPen(InkOf(suit), 1));
        painter.setBrush(tint);
        painter.drawRect(frame);
        painter.setFont(IndexFont(30, false));
        painter.drawText(frame, Qt::AlignCenter, QString::fromLatin1(RankText(rank)));
        DrawSuit(painter, suit, QPointF(kCentre.x(), 23), 10);
        DrawSuit(painter, suit, QPointF(kCentre.x(), 73), 10, true);
        return;
    }
    constexpr qreal top = 16, bottom = 80;
    const qreal size = rank >= 8 ? 11 : 12;
    for (const Pip& pip : PipLayout(rank + 1)) {
        const QPointF centre(pip.x, top + pip.row * (bottom - top) / 12);
        DrawSuit(painter, suit, centre, size, pip.row > 6);
    }
}

void DrawFace(QPainter& painter, int rank, int suit) {
    painter.setPen(QPen(QColor(0x60, 0x60, 0x68), 1));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(0.5, 0.5, kWidth - 1, kHeight - 1), kCornerRadius, kCornerRadius);
    DrawCentre(painter, rank, suit);
    DrawIndex(painter, rank, suit);
    painter.translate(kCentre);
    painter.rotate(180);
    painter.translate(-kCentre);
    DrawIndex(painter, rank, suit);
}

void DrawBack(QPainter& painter) {
    painter.setPen(QPen(QColor(0x60, 0x60, 0x68), 1));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(0.5, 0.5, kWidth - 1, kHeight - 1), kCornerRadius, kCornerRadius);
    const QRectF field(4, 4, kWidth - 8, kHeight - 8);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1E, 0x4B, 0x96));
    painter.drawRoundedRect(field, 3, 3);

    painter.save();
    painter.setClipRect(field.adjusted(2, 2, -2, -2));
    painter.setPen(QPen(QColor(0x7D, 0xA6, 0xE0), 1));
    constexpr qreal spacing = 7;
    for (qreal d = -kHeight; d < kWidth + kHeight; d += spacing) {
        painter.drawLine(QPointF(d, 0), QPointF(d + kHeight, kHeight));
        painter.drawLine(QPointF(d, kHeight), QPointF(d + kHeight, 0));
    }
    painter.restore();

    painter.setPen(QPen(Qt::white, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(field.adjusted(2, 2, -2, -2), 2, 2);
    painter.setBrush(QColor(0x1E, 0x4B, 0x96));
    painter.drawEllipse(kCentre, 11, 11);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.save();
    painter.translate(kCentre);
    painter.scale(14, 14);
    painter.drawPath(SuitShapes()[3]);
    painter.restore();
}

}  // namespace

void DrawnDeck::Paint(QPainter& painter, const QRectF& card, int picture) {
    painter.save();
    painter.translate(card.topLeft());
    painter.scale(card.width() / kWidth, card.height() / kHeight);
    if (picture == kBackPicture) {
        DrawBack(painter);
    } else {
        DrawFace(painter, picture / 4, picture % 4);
    }
    painter.restore();
}

}  // namespace cards32
