-- Ardour session script: a default MIDI track (strict I/O) with Halvo as its instrument (format
-- HALVO_FORMAT, LV2 or VST3, found as HALVO_PLUGIN) and a note sender before it. Prints what Ardour
-- made of the plug-in's ports, stops the sweep and picks the sine (the LV2 through the factory
-- preset named in HALVO_PRESET, as Ardour shows it no LV2 parameters; the VST3 through its
-- parameters), then
-- exports two seconds of the session to HALVO_EXPORT_DIR/halvo.wav.
AudioEngine:set_backend ("None (Dummy)", "", "")
local session = create_session (os.getenv ("HALVO_SESSION_DIR"), "halvo", 48000)
assert (session, "no session")
local format = os.getenv ("HALVO_FORMAT")
local info = ARDOUR.LuaAPI.new_plugin_info (os.getenv ("HALVO_PLUGIN"), ARDOUR.PluginType[format])
assert (not info:isnil (), "Halvo was not found as " .. format)
local tracks = session:new_midi_track (
    ARDOUR.ChanCount (ARDOUR.DataType ("midi"), 1), ARDOUR.ChanCount (ARDOUR.DataType ("audio"), 2),
    true, info, nil, nil, 1, "Halvo", ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal,
    true, false)
for track in tracks:iter () do
    local insert = track:nth_plugin (0):to_plugininsert ()
    print (string.format ("RESULT strict-io=%s track-audio-outputs=%d plugin-audio-inputs=%d plugin-audio-outputs=%d",
        tostring (track:strict_io ()), track:n_outputs ():n_audio (),
        insert:input_streams ():n_audio (), insert:output_streams ():n_audio ()))

    local plugin = insert:plugin (0)
    if format == "LV2" then
        assert (plugin:load_preset (plugin:preset_by_label (os.getenv ("HALVO_PRESET"))), "no preset")
    else
        for index = 0, plugin:parameter_count () - 1 do
            local name = plugin:parameter_label (index)
            if name == "Rate" or name == "OSC" then
                assert (ARDOUR.LuaAPI.set_plugin_insert_param (insert, index, 0), "cannot set " .. name)
            end
        end
    end
    local note = ARDOUR.LuaAPI.new_luaproc (session, "Halvo Test Note")
    assert (not note:isnil (), "no note sender")
    assert (track:add_processor_by_index (note, 0, nil, true) == 0, "note sender not added")
end

local export = session:simple_export ()
assert (export:set_preset ("75969a1c-3133-4694-864b-a1fa50e43348"), "no WAV export preset")
export:set_folder (os.getenv ("HALVO_EXPORT_DIR"))
export:set_name ("halvo")
export:set_range (0, 2 * 48000)
assert (export:run_export (), "export failed")
print ("EXPORTED")
close_session ()
