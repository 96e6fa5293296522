#pragma once

#include "../sound/pulse_capture.h"
#include "game_process.h"

// Opens the X session, starts a PulseAudio server of the test's own and the
// real game playing its cues into it, ready with its board drawn. False with
// a reason when any of the three could not be had.
inline bool startSoundingGame(XSession& x, PulseServer& pulse, GameProcess& game, QString* reason)
{
    if (!x.open(reason) || !pulse.start(reason))
        return false;
    QProcessEnvironment environment = pulse.environment();
    environment.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("pulseaudio"));
    if (!game.start(environment)) {
        *reason = QStringLiteral("the game showed no board");
        return false;
    }
    return true;
}
