// Quillop: a falling-block puzzle game.
#include "game/core/random.h"
#include "platform/fonts.h"
#include "platform/services.h"
#include "scores/store/topscorestore.h"
#include "scores/ui/frmhighscores.h"
#include "shell/ui/module1.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quillop"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quillop"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/quillop.png")));
    // The program ends through the menu's Exit, never because a window closed.
    QApplication::setQuitOnLastWindowClosed(false);
    quillop::platform::InstallFontSubstitutions();

    quillop::SeededRandom random(quillop::platform::ClockSeed());
    quillop::Module1 module(quillop::TopScoreStore::forThisProgram(), random);
    module.setFactory(quillop::Module1::Window::HighScores,
                      [](quillop::Module1& m) { return new quillop::frmHighScores(m); });
    module.Start();
    return QApplication::exec();
}
