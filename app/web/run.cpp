// The browser: the page has made its terminal before the program starts, so there is
// nothing to check; the end of the program is told to the page, which offers another run.
#include "app/target.hpp"
#include "conio/platform/web/web_platform.hpp"
#include "conio/services.hpp"
#include "game/flow.hpp"
#include "game/state.hpp"

int runOnTarget(const CommandLine& commandLine) {
    int status = 0;
    {
        platform::WebPlatform web(platform::WebOptions{.muted = commandLine.muted});
        conio::installPlatform(web);
        Game game;
        status = runProgram(game);
        conio::uninstallPlatform();
    }
    platform::announceProgramEnd(status);
    return status;
}
