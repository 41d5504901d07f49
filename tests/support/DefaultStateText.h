#pragma once

#include <string>

namespace halvo::test
{

// The XML text of a fresh instance's state block, byte for byte (418 bytes).
inline const std::string defaultStateText =
    "<Root><OSC>0.5</OSC><DelayTime>0.5</DelayTime><Rate>0.005</Rate><Mode>0</Mode>"
    "<Reverb>0.5</Reverb><Gain>0.9</Gain><DelayFeedback>0.5</DelayFeedback>"
    "<idxMidiChannel>0</idxMidiChannel><midiMapOSC>-1</midiMapOSC>"
    "<midiMapDelayTime>-1</midiMapDelayTime><midiMapDelayFeedback>-1</midiMapDelayFeedback>"
    "<midiMapFM>-1</midiMapFM><midiMapGain>-1</midiMapGain><midiMapMode>-1</midiMapMode>"
    "<midiMapReverb>-1</midiMapReverb></Root>";

} // namespace halvo::test
