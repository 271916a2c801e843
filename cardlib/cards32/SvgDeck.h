#pragma once
// A deck of card-art in one SVG file, one element per card, as the decks of
// gnome-cards-data are made: "club_1" … "spade_king" and "back".

#include <QString>
#include <QSvgRenderer>
#include <memory>

#include "cardlib/cards32/CardArt.h"

namespace cards32 {

class SvgDeck final : public CardArt {
public:
    // Null unless the file is a readable SVG (gzipped or not) with every card in it.
    static std::unique_ptr<SvgDeck> Open(const QString& path);
    explicit SvgDeck(const QString& path) : renderer_(path) {}
    // The element that holds a picture.
    static QString ElementName(int picture);

    void Paint(QPainter& painter, const QRectF& card, int picture) override;

private:
    QSvgRenderer renderer_;
};

}  // namespace cards32
