#include "cardlib/cards32/DeckChoice.h"

#include <QDir>
#include <QtGlobal>

#include "cardlib/cards32/DrawnDeck.h"
#include "cardlib/cards32/SvgDeck.h"

namespace cards32 {

namespace {

// Decks of gnome-cards-data whose corner indices stay readable at 71 × 96, best first.
const QStringList kPreferredDecks{QStringLiteral("plastic"), QStringLiteral("tango"),
                                  QStringLiteral("gnomangelo"), QStringLiteral("anglo")};

QStringList DeckFolders() {
    QString dataDirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dataDirs.isEmpty()) dataDirs = QStringLiteral("/usr/local/share:/usr/share");
    QStringList folders;
    for (const QString& dir : dataDirs.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        folders << QDir(dir).filePath(QStringLiteral("aisleriot/cards"));
    }
    if (!folders.contains(QStringLiteral("/usr/share/aisleriot/cards"))) {
        folders << QStringLiteral("/usr/share/aisleriot/cards");
    }
    return folders;
}

QStringList InstalledFiles(const QString& deck) {
    QStringList files;
    for (const QString& folder : DeckFolders()) {
        files << QDir(folder).filePath(deck + QStringLiteral(".svgz"))
              << QDir(folder).filePath(deck + QStringLiteral(".svg"));
    }
    return files;
}

}  // namespace

QStringList DeckCandidates() {
    const QString chosen = qEnvironmentVariable("DECKFALL_CARD_DECK");
    if (!chosen.isEmpty()) {
        return chosen.contains(QLatin1Char('/')) ? QStringList{chosen} : InstalledFiles(chosen);
    }
    QStringList files;
    for (const QString& deck : kPreferredDecks) files << InstalledFiles(deck);
    return files;
}

std::unique_ptr<CardArt> ChooseCardArt() {
    for (const QString& path : DeckCandidates()) {
        if (auto deck = SvgDeck::Open(path)) return deck;
    }
    return std::make_unique<DrawnDeck>();
}

}  // namespace cards32
