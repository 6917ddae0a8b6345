#pragma once

#include "model/taction.h"

#include <string>
#include <string_view>

namespace tl {

// The history as one text for the block file: "%04d" count, then per
// transaction, newest first, "%02d%04d%04d%04d" kind, day, crew, pairing.
std::string SerializeHistory(const THistory& history);

// Rebuilds the history from its text, keeping the order of the text. Reads
// no further than the text goes; a damaged record ends the history there.
void ParseHistory(THistory& history, std::string_view text);

} // namespace tl
