#pragma once

#include <pluginterfaces/vst2.x/aeffectx.h>

namespace halvo::vst
{

// Puts the plug-in's own dispatcher in front of the one the effect record came with (JUCE's
// client). It answers the requests where that client's answers differ from the plug-in's
// identity or are unsafe, hands the client the few requests it knows under other numbers, and
// passes every other request on unchanged. Returns the record; null stays null.
AEffect* shieldEffect(AEffect* effect) noexcept;

} // namespace halvo::vst
