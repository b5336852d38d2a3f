#pragma once
// The recorder: an observer that keeps each game it sees as a Recording and hands it over
// when the game's farewell shows. Combine it with another observer through bothObservers.
#include <functional>
#include <string>

#include "game/observer.hpp"
#include "game/recording.hpp"

// gameVersion goes into every recording; the date is the clock's at the farewell. A game
// that an observer stopped (no farewell) is not handed over.
GameObserver recorderObserver(std::string gameVersion, std::function<void(const Recording&)> onRecording);
