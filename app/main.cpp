// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Quillop: a falling-block puzzle game.
#include "module1.h"
#include "termination.h"
#include "windows.h"

#include "desktop/playeraway.h"
#include "desktop/session.h"
#include "game/core/random.h"
#include "platform/clock.h"
#include "platform/fonts.h"
#include "platform/log.h"
#include "platform/programfolder.h"
#include "platform/tiles.h"
#include "scores/store/topscorestore.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QPixmap>

namespace {

// The game places its windows itself (the menu centred, each window where
// the last one stood), which a Wayland compositor does not let a program do.
// Where the session also offers X, the game runs there, unless the player
// chose a platform; should the X display refuse (a stale DISPLAY, a missing
// XAUTHORITY), on Wayland after all. Returns the platform preferred, if it
// chose.
QString preferX11UnderWayland()
{
    const bool wayland = qgetenv("XDG_SESSION_TYPE") == "wayland" || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && wayland && !qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "xcb;wayland");
        return QStringLiteral("xcb");
    }
    return {};
}

// --help and --version answer without a screen, as in a terminal or a
// package build; anything else goes on to the game.
void readOptions(int& argc, char* argv[])
{
    const QCoreApplication probe(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quillop"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILLOP_VERSION));
    QCommandLineParser options;
    options.setApplicationDescription(
        QStringLiteral("A falling-block puzzle game: line up three or more pieces across, down or diagonally."));
    options.addHelpOption();
    options.addVersionOption();
    options.process(probe);
}

} // namespace

int main(int argc, char* argv[])
{
    const auto fontConfiguration = quillop::platform::readFontConfigurationEarly();
    if (argc > 1) // the options ask for a second application object; a plain start needs none
        readOptions(argc, argv);
    const QString preferred = preferX11UnderWayland();
    // The game's log lines say they are the game's; QT_MESSAGE_PATTERN
    // still has the last word.
    qSetMessagePattern(QStringLiteral("%{if-category}%{category}: %{endif}%{message}"));
    QApplication app(argc, argv);
    if (!preferred.isEmpty() && QGuiApplication::platformName() != preferred) {
        qCWarning(lcQuillop).noquote()
            << "the X display" << qEnvironmentVariable("DISPLAY")
            << "refused the game, which runs on Wayland instead, where the compositor places its windows";
    }
    QApplication::setApplicationName(QStringLiteral("quillop"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLOP_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.quillop.Quillop"));

    QApplication::setWindowIcon(
        QIcon(QPixmap::fromImage(quillop::platform::readPicture(QStringLiteral(":/quillop.png")))));
    // The program ends through the menu's Exit, never because a window closed.
    QApplication::setQuitOnLastWindowClosed(false);
    quillop::platform::installFontSubstitutions();
    quillop::desktop::install(quillop::desktop::forThisSession());

    quillop::SeededRandom random(quillop::platform::clockSeed());
    quillop::Module1 module(quillop::TopScoreStore::forThisProgram(quillop::platform::programFolder()), random);
    quillop::installWindows(module, quillop::platform::programFolder());
    quillop::onTerminationRequest([&module] { module.endProgram(); });
    quillop::desktop::current().watchOutsideDestroys(
        [&module](QWidget* window) { module.windowDestroyedOutside(window); });
    module.start();
    // A short grace: between two of the game's windows the keys are nowhere
    // for a moment.
    const quillop::desktop::PlayerAway away(QDBusConnection::systemBus(), std::chrono::milliseconds(100));
    QObject::connect(&away, &quillop::desktop::PlayerAway::away, &module, &quillop::Module1::pauseWhileAway);
    const int status = QApplication::exec();
    // What the desktop holds of the window system goes while the
    // application that reaches it still stands.
    quillop::desktop::install(std::make_unique<quillop::desktop::Desktop>());
    return status;
}
