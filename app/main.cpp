// Quillop: a falling-block puzzle game.
#include "controls/core/keybindings.h"
#include "game/core/gamestate.h"
#include "game/core/random.h"
#include "game/ui/frmgame.h"
#include "platform/fonts.h"
#include "platform/services.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quillop"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quillop"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/quillop.png")));
    quillop::platform::InstallFontSubstitutions();

    quillop::GameState state;
    const quillop::KeyBindings keys;
    quillop::SeededRandom random(quillop::platform::ClockSeed());

    quillop::frmGame game(state, keys, random);
    // Until the menu and the message window exist, a finished level goes
    // straight on to the next, and a lost game starts afresh after a moment.
    QObject::connect(&game, &quillop::frmGame::levelComplete, &game, &quillop::frmGame::AdvanceLevel);
    QObject::connect(&game, &quillop::frmGame::gameOver, &game, [&] {
        QTimer::singleShot(2000, &game, [&] {
            quillop::NewGame(state);
            game.StartGame();
        });
    });

    quillop::NewGame(state);
    game.StartGame();
    quillop::platform::CentreOnScreen(&game);
    game.show();
    game.activateWindow();
    return QApplication::exec();
}
