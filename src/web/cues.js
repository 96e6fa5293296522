// The game's cues through Web Audio, one sound at a time: a new cue cuts the
// sounding one off. Audio may start only after the player's first key or
// click; then every known cue's wave is decoded at once, so that the first
// sounds in time. A wave that cannot be fetched or decoded is silence.
'use strict';

const cues = (() => {
    const files = [];
    const waves = new Map();    // file -> promise of its decoded sound, or null
    const decoded = new Map();  // file -> its sound, once decoded
    let audio = null, sounding = null, cueNumber = 0;

    const wave = file => {
        if (!waves.has(file))
            waves.set(file, fetch(file)
                .then(response => response.ok ? response.arrayBuffer() : Promise.reject(response.status))
                .then(bytes => audio.decodeAudioData(bytes))
                .then(sound => decoded.set(file, sound).get(file))
                .catch(() => null));
        return waves.get(file);
    };

    // A wave to make ready once audio starts.
    const know = file => files.push(file);

    const start = () => {
        if (!audio) {
            audio = new AudioContext();
            files.forEach(wave);
        }
        if (audio.state === 'suspended')
            audio.resume();
    };

    // A held cue (one with `ended`) calls it once it has sounded to its end,
    // after longestMs at most, or at once when it cannot sound.
    const play = (file, ended, longestMs) => {
        const number = ++cueNumber;
        if (sounding) {
            sounding.onended = null;
            sounding.stop();
            sounding = null;
        }
        let over = false;
        const end = () => {
            if (over)
                return;
            over = true;
            clearTimeout(bound);
            if (ended)
                ended();
        };
        const bound = ended ? setTimeout(() => {
            if (sounding && number === cueNumber)
                sounding.stop();
            end();
        }, longestMs) : null;
        if (!audio) {
            end();
            return;
        }
        const sound = sound => {
            if (!sound || number !== cueNumber) {
                end();
                return;
            }
            const source = audio.createBufferSource();
            source.buffer = sound;
            source.connect(audio.destination);
            source.onended = end;
            sounding = source;
            source.start();
        };
        // A wave already decoded sounds now, before a cue that follows at once cuts it.
        if (decoded.has(file))
            sound(decoded.get(file));
        else
            wave(file).then(sound);
    };

    return { know, start, play };
})();
