// Quillop: a falling-block puzzle game.
#include "controls/ui/frmcontrols.h"
#include "game/core/random.h"
#include "help/ui/frmcredits.h"
#include "help/ui/frmhelp.h"
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
    using Window = quillop::Module1::Window;
    module.setFactory(Window::HighScores, [](quillop::Module1& m) { return new quillop::frmHighScores(m); });
    module.setFactory(Window::Controls, [](quillop::Module1& m) { return new quillop::frmControls(m); });
    module.setFactory(Window::Help, [](quillop::Module1& m) { return new quillop::frmHelp(m); });
    module.setFactory(Window::Credits, [](quillop::Module1& m) {
        return new quillop::frmCredits(m, quillop::platform::ProgramFolder());
    });
    module.Start();
    return QApplication::exec();
}
