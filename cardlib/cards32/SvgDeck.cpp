#include "cardlib/cards32/SvgDeck.h"

#include <QFileInfo>
#include <array>

namespace cards32 {

std::unique_ptr<SvgDeck> SvgDeck::Open(const QString& path) {
    if (!QFileInfo(path).isFile()) return nullptr;
    auto deck = std::make_unique<SvgDeck>(path);
    if (!deck->renderer_.isValid()) return nullptr;
    for (int picture = 0; picture < kPictureCount; ++picture) {
        if (!deck->renderer_.elementExists(ElementName(picture))) return nullptr;
    }
    return deck;
}

QString SvgDeck::ElementName(int picture) {
    if (picture == kBackPicture) return QStringLiteral("back");
    static constexpr std::array<const char*, 4> suits{"club", "diamond", "heart", "spade"};
    static constexpr std::array<const char*, 13> ranks{"1", "2", "3",  "4",    "5",     "6",   "7",
                                                       "8", "9", "10", "jack", "queen", "king"};
    return QStringLiteral("%1_%2").arg(QLatin1String(suits[picture % 4]), QLatin1String(ranks[picture / 4]));
}

void SvgDeck::Paint(QPainter& painter, const QRectF& card, int picture) {
    renderer_.render(&painter, ElementName(picture), card);
}

}  // namespace cards32
