#pragma once

#include <pluginterfaces/vst2.x/aeffectx.h>

namespace halvo::vst
{

// Makes an effect record through JUCE's entry point with a callback of ours in place of the
// host's. JUCE's client was compiled with fst-dev's placeholders for a few host requests and for
// the time info's frame rates; the callback sends those requests under the interface's numbers,
// never a placeholder, and hands the client the host's time info in the shape it reads.
AEffect* createLinkedToHost(AEffect* (*create)(audioMasterCallback), audioMasterCallback host);

// Forgets the record's host once the record is closed.
void unlinkFromHost(const AEffect* effect) noexcept;

} // namespace halvo::vst
