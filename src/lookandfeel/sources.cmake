set(HALVO_LOOKANDFEEL_SOURCES
    lookandfeel/AltLookAndFeel.cpp
    lookandfeel/AltLookAndFeelButtons.cpp
    lookandfeel/AltLookAndFeelComboBox.cpp
    lookandfeel/AltLookAndFeelKnobs.cpp
    lookandfeel/AltLookAndFeelLinearSlider.cpp
    lookandfeel/AltLookAndFeelVariants.cpp
    lookandfeel/ScaledArtwork.cpp)
