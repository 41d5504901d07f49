ardour {
    ["type"]    = "dsp",
    name        = "Halvo Test Note",
    category    = "Utility",
    license     = "MIT",
    author      = "Drovask",
    description = [[Sends note 69 once, in the first cycle in which the transport rolls.]]
}

function dsp_ioconfig ()
    return { { midi_in = 1, midi_out = 1, audio_in = 0, audio_out = 0 } }
end

local sent = false

function dsp_run (_, _, n_samples)
    if not sent and Session:transport_rolling () then
        midiout[1] = { time = 1, data = { 0x90, 69, 100 } }
        sent = true
    end
end
