#include "HelpText.h"

namespace halvo::render
{

std::string helpText()
{
    return R"(Usage: halvo-render [OPTIONS] [MIDI-FILE]

Renders a Standard MIDI File through the Halvo instrument into a WAV file.
Without a MIDI file it renders the built-in demo phrase (20 s): a note each on
the sine, saw and square waveforms, a note for each of the seven sweep modes,
and an arpeggio into long echoes and reverb. With --preset and no MIDI file it
renders the preset phrase (6 s) instead: a held note, a quick arpeggio and
another held note, leaving every parameter as the preset set it.

All tracks of the MIDI file are merged and its tempo changes are followed.
Notes play the instrument (it is monophonic: the last note wins). Controller
(CC) messages move the parameters they are assigned to (see --map and
--midi-channel); everything else is ignored. Rendering runs to the file's last
event and then for the tail.

The instrument counts time in samples at 44100 Hz: at other sample rates the
pitch and the delay time stay right, while the sweep, the reverb and the
glides run faster or slower in proportion, as they do in a host.

The WAV file is 24-bit integer PCM at the chosen sample rate, stereo or mono.
Every file is written under a temporary name beside its target and renamed
when complete, so a failed run leaves nothing half-written.

Options:
  -o, --output PATH     WAV file to write. Default: the MIDI file's name with
                        .wav, in the current directory; halvo-demo.wav for
                        the demo phrase.
  --sample-rate HZ      Sample rate, a whole number from 8000 to 384000.
                        Default: 44100.
  --block-size N        Samples per processing block, 1 to 65536. Default: 512.
                        Events take effect in the block they fall in, as they
                        would in a host running at this buffer size.
  --stereo, --mono      Two output channels (the default) or one.
  --tail SECONDS        Seconds rendered after the last event, 0 to 600.
                        Default: 4.
  --set NAME=VALUE      Sets a parameter before rendering, as a normalised
                        value from 0 to 1 (table below). Repeatable; names
                        ignore case. The demo phrase leaves a parameter set
                        this way alone; controllers in a MIDI file still move
                        it.
  --map NAME=CC         Assigns MIDI controller number CC (0 to 127) to a
                        parameter; -1 removes an assignment. Repeatable. Two
                        parameters may share a controller.
  --midi-channel N      Channel controllers are accepted on: 1 to 16, or 0 for
                        any. Default: 0, or the channel saved in --state.
  --state FILE          Starts from a saved state block: a file written by
                        --save-state, which holds the same bytes the plug-in
                        hands a host to save. --set, --map and --midi-channel
                        are applied after it.
  --preset NAME         Starts from a factory preset (names ignore case; see
                        --list-presets). Applied after --state and before
                        --set, --map and --midi-channel. Controller
                        assignments are kept. Default output without a MIDI
                        file: halvo-NAME.wav (lower case, words joined by -).
  --list-presets        Lists the factory presets, each with its description,
                        and exits.
  --save-state FILE     Writes the state block (parameters, controller
                        assignments, controller channel) after rendering.
  --plot FILE.png       Draws the rendered audio into a PNG picture (1600 x
                        1000 pixels): the waveform over time and a spectrogram
                        on a logarithmic frequency axis, titled with the
                        settings. The demo's sections and a MIDI file's marker
                        events are drawn as labelled lines.
  -h, --help            Shows this text and exits.
  --                    Everything after it is a file name.

Options taking a value accept both "--option value" and "--option=value".

Parameters (value x from 0 to 1, default in brackets):
  DelayTime      delay time 0.1 + 0.9*x seconds              [0.5: 0.55 s]
  DelayFeedback  echo feedback 1.1*x                         [0.5: 0.55]
  OSC            waveform: below 0.25 sine, below 0.75 saw,
                 from 0.75 square                            [0.5: saw]
  Rate           sweep rate 20*x Hz                          [0.005: 0.1 Hz]
  Mode           sweep mode 6*x rounded, 0 to 6              [0: mode 0]
  Reverb         reverb decay 10*x seconds                   [0.5: 5 s]
  Gain           output level 100*x - 90 dB                  [0.9: 0 dB]

Sweep modes (Mode value: the note's pitch over one sweep cycle):
  0    (0)     smooth up and down, from 0.5 to 2.5 times the pitch
  1    (0.17)  two peaks per cycle, up to 9 times the pitch
  2    (0.33)  falls from 2 to 0.5 times and rises back
  3    (0.5)   falls from 9 to 1 times and rises back
  4    (0.67)  steps between 0.5 and 1.5 times
  5    (0.83)  steps between 1 and 3 times
  6    (1)     steps between 2 times and silence

Examples:
  halvo-render
      Renders the demo phrase to halvo-demo.wav.
  halvo-render --plot demo.png -o demo.wav
      The same, into demo.wav, with a picture of it in demo.png.
  halvo-render song.mid -o song.wav --sample-rate 48000 --tail 6
  halvo-render song.mid --set Gain=0.8 --set Mode=0.5 --mono
  halvo-render song.mid --map Gain=74 --map Rate=1 --midi-channel 2
  halvo-render song.mid --state saved.halvo --save-state after.halvo
  halvo-render --preset "Dub Siren" --plot dub-siren.png
      Renders the preset phrase with that preset to halvo-dub-siren.wav.

Exit status: 0 when every file was written, 1 on any error (with a message on
standard error; nothing is written then).
)";
}

} // namespace halvo::render
