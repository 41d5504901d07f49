#pragma once

namespace halvo::vst
{

// What the plug-in answers a VST 2.4 host's capability query with: 1 for yes, -1 for no and 0
// for any text it does not know (including none at all).
int capabilityAnswer(const char* text) noexcept;

} // namespace halvo::vst
