#pragma once

// Seen only by juce_gui_basics.cpp on 32-bit MinGW, where this header is first included right
// before JUCE's Windows accessibility code. There JUCE replaces __uuidof by a template taking a
// type, while mingw's IID_PPV_ARGS hands it an expression: name the pointed-to type instead.
#include_next <uiautomation.h>

#undef IID_PPV_ARGS
#define IID_PPV_ARGS(ppType)                                                                       \
    ::juce::UUIDGetter<std::remove_pointer_t<std::remove_pointer_t<decltype(ppType)>>>::get(),     \
        IID_PPV_ARGS_Helper(ppType)
