#pragma once

// For JUCE's VST 2.4 hosting code in the host test only. That code sizes a speaker arrangement as
// if the struct held eight speakers; fst-dev declares the speakers as a flexible array, so JUCE's
// arrangement holders come out too small and are written past their end. Here the struct gets
// its eight speakers back, laid out exactly as fst-dev lays out the first eight.
#define VstSpeakerArrangement FstSpeakerArrangementWithoutSpeakers
#include_next <pluginterfaces/vst2.x/aeffectx.h>
#undef VstSpeakerArrangement

struct VstSpeakerArrangement
{
    int type;
    int numChannels;
    VstSpeakerProperties speakers[8];
};
