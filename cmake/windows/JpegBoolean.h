#pragma once

// With MinGW, libjpeg's jconfig.h leaves out its boolean typedef once rpcndr.h has declared a
// global one, while JUCE's JPEG loader names juce::jpeglibNamespace::boolean. The type is the
// same either way, and repeating a typedef is allowed.
namespace juce::jpeglibNamespace
{
typedef unsigned char boolean;
}
