#pragma once

namespace velmora {

// The moments the game gives a sound to. Which file sounds, and whether the
// game waits for it, is the sound module's business.
enum class Cue {
    Lift,    // a disk taken into the hand
    Drop,    // a disk set down
    Win,     // the last disk landed on the right tower
    TimeUp,  // the clock reached the limit; the game waits for this one
    Lose,    // the lost game's message follows
};

inline constexpr Cue AllCues[] = {Cue::Lift, Cue::Drop, Cue::Win, Cue::TimeUp, Cue::Lose};

} // namespace velmora
