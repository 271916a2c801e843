#pragma once
// Which card art the library draws with.

#include <QString>
#include <QStringList>
#include <memory>

#include "cardlib/cards32/CardArt.h"

namespace cards32 {

// DECKFALL_CARD_DECK, when set, names the deck alone: a file path, or the name of an
// installed deck ("tango"). Otherwise the first installed deck of a preferred list.
QStringList DeckCandidates();
// The first candidate that opens as a complete deck, else the cards drawn here.
std::unique_ptr<CardArt> ChooseCardArt();

}  // namespace cards32
