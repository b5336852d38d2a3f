#include "game/observer.hpp"

#include <utility>

GameObserver bothObservers(GameObserver first, GameObserver second) {
    GameObserver both;
    both.started = [first, second](Game& g, const GameStart& start) {
        if (first.started) first.started(g, start);
        if (second.started) second.started(g, start);
    };
    both.tickStarts = [first, second](Game& g) {
        return (!first.tickStarts || first.tickStarts(g)) && (!second.tickStarts || second.tickStarts(g));
    };
    both.keyRead = [first, second](const Game& g) {
        if (first.keyRead) first.keyRead(g);
        if (second.keyRead) second.keyRead(g);
    };
    both.tickEnded = [first, second](const Game& g) {
        return (!first.tickEnded || first.tickEnded(g)) && (!second.tickEnded || second.tickEnded(g));
    };
    both.ended = [first = std::move(first), second = std::move(second)](const Game& g, GameEnd end) {
        if (first.ended) first.ended(g, end);
        if (second.ended) second.ended(g, end);
    };
    return both;
}
