#pragma once

#include "Performance.h"

namespace halvo::render
{

inline constexpr double demoPhraseLengthSeconds = 20.0;

// The built-in phrase: one note each on sine, saw and square, one note for each of the seven
// sweep modes, then an arpeggio into long echoes and reverb.
Performance demoPhrase();

} // namespace halvo::render
