// The parts of JUCE's core that the state block's reader uses (strings, XML, memory blocks and
// streams), compiled from Debian's JUCE sources as they are. The whole of juce_core.cpp does not
// build for WebAssembly: it wants the system's zlib and platform services a browser lacks.
#include <juce_core/juce_core.h>

#include <emscripten/emscripten.h>
#include <pthread.h>

#include <cctype>
#include <cstdarg>
#include <cwctype>
#include <locale>
#include <sys/time.h>
#include <sys/timeb.h>

// Text first: the streams use its number formatting.
#include <juce_core/text/juce_CharacterFunctions.cpp>
#include <juce_core/text/juce_Identifier.cpp>
#include <juce_core/text/juce_String.cpp>
#include <juce_core/text/juce_StringArray.cpp>
#include <juce_core/text/juce_StringPool.cpp>

#include <juce_core/maths/juce_BigInteger.cpp>
#include <juce_core/memory/juce_MemoryBlock.cpp>
#include <juce_core/streams/juce_InputStream.cpp>
#include <juce_core/streams/juce_MemoryOutputStream.cpp>
#include <juce_core/streams/juce_OutputStream.cpp>
#include <juce_core/time/juce_Time.cpp>
#include <juce_core/xml/juce_XmlDocument.cpp>
#include <juce_core/xml/juce_XmlElement.cpp>

// What juce_core.cpp defines to catch debug and release units mixed in one program.
juce::this_will_fail_to_link_if_some_of_your_compile_units_are_built_in_release_mode::
    this_will_fail_to_link_if_some_of_your_compile_units_are_built_in_release_mode() noexcept
{
}

// The clock JUCE's time functions count from, as JUCE's own WebAssembly code reads it; that file
// also needs the system information code, which does not build here.
juce::uint32 juce::juce_millisecondsSinceStartup() noexcept
{
    return static_cast<juce::uint32>(emscripten_get_now());
}

// JUCE keeps its lock among the POSIX file and thread code, which does not build here. The pool
// of identifiers the XML reader uses takes it.
juce::CriticalSection::CriticalSection() noexcept
{
    pthread_mutexattr_t attributes;
    pthread_mutexattr_init(&attributes);
    pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE);
    pthread_mutex_init(&lock, &attributes);
    pthread_mutexattr_destroy(&attributes);
}

juce::CriticalSection::~CriticalSection() noexcept
{
    pthread_mutex_destroy(&lock);
}

void juce::CriticalSection::enter() const noexcept
{
    pthread_mutex_lock(&lock);
}

bool juce::CriticalSection::tryEnter() const noexcept
{
    return pthread_mutex_trylock(&lock) == 0;
}

void juce::CriticalSection::exit() const noexcept
{
    pthread_mutex_unlock(&lock);
}
