-- Ardour session script: a default MIDI track (strict I/O) with Halvo's LV2 as its instrument.
-- Prints what Ardour made of the plug-in's ports.
AudioEngine:set_backend ("None (Dummy)", "", "")
local session = create_session (os.getenv ("HALVO_SESSION_DIR"), "halvo", 48000)
assert (session, "no session")
local info = ARDOUR.LuaAPI.new_plugin_info (os.getenv ("HALVO_LV2_URI"), ARDOUR.PluginType.LV2)
assert (not info:isnil (), "Halvo's LV2 was not found")
local tracks = session:new_midi_track (
    ARDOUR.ChanCount (ARDOUR.DataType ("midi"), 1), ARDOUR.ChanCount (ARDOUR.DataType ("audio"), 2),
    true, info, nil, nil, 1, "Halvo", ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal,
    true, false)
for track in tracks:iter () do
    local insert = track:nth_plugin (0):to_insert ()
    print (string.format ("RESULT strict-io=%s track-audio-outputs=%d plugin-audio-inputs=%d plugin-audio-outputs=%d",
        tostring (track:strict_io ()), track:n_outputs ():n_audio (),
        insert:input_streams ():n_audio (), insert:output_streams ():n_audio ()))
end
close_session ()
