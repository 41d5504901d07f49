# Artwork and fonts compiled into the plug-in (none yet).
set(HALVO_RESOURCE_TARGETS)
