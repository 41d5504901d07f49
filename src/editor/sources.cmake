set(HALVO_EDITOR_SOURCES
    editor/KnobValues.cpp
    editor/MurmelAudioProcessorEditor.cpp
    editor/OptionGUI.cpp
    editor/Oscillo.cpp
    editor/ScaledImageButton.cpp
    editor/WelcomeGUI.cpp)
