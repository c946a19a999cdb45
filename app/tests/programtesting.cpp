// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "programtesting.h"

#include "tests/support/files.h"

#include "app/frmmenu.h"
#include "app/windows.h"
#include "game/ui/frmgame.h"
#include "scores/ui/frmhighscores.h"
#include "shell/ui/formwindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

namespace quillop::test {

void Program::SetUp()
{
    ASSERT_TRUE(m_folder.isValid());
    ASSERT_TRUE(QDir().mkpath(programFolder()));
    module =
        std::make_unique<Module1>(TopScoreStore(programFolder(), m_folder.filePath(QStringLiteral("data"))), random);
    module->setGamePause([](int) {});
    module->setProgramEnd([this] { ++programEnds; });
    installWindows(*module, programFolder());
    module->start();
}

void Program::TearDown()
{
    module.reset();
    // Windows closed during the test are deleted on the way out.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

std::string Program::screen()
{
    QStringList shown;
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->size() == QSize(470, 600)) {
            const QString name = QString::fromLatin1(window->metaObject()->className()).section(QLatin1Char(':'), -1);
            shown << QStringLiteral("%1 %2,%3").arg(name).arg(window->x()).arg(window->y());
        }
    }
    shown.sort();
    const frmGame* game = module->gameWindow();
    const char* ticking = game == nullptr ? "no game" : game->timer().isActive() ? "ticking" : "still";
    return (shown.join(QLatin1String(" + ")) + QLatin1Char(' ') + QLatin1String(ticking)
            + (find(menu(), "lblContinue")->isEnabled() ? QLatin1String(", continue") : QLatin1String(", no continue")))
        .toStdString();
}

void Program::writeScores(const QByteArray& bytes)
{
    writeBytes(programFolder() + QStringLiteral("/TopScores.txt"), bytes);
}

QByteArray Program::scoreFile() const
{
    return readBytes(programFolder() + QStringLiteral("/TopScores.txt"));
}

void Program::finishGameWithScore(std::int32_t score)
{
    GameState& state = module->game;
    state.Board.fill(CellCode::Empty);
    for (int r = FirstVisibleRow; r <= FloorRow; ++r) {
        state.Board(r, CentreColumn) = r % 2 == 0 ? CellCode::Red : CellCode::Green;
    }
    state.CurrentRow = 1;
    state.CurrentCol = CentreColumn;
    state.SpecialFalling = false;
    state.GameScore = score;
}

void Program::completeLevel()
{
    GameState& state = module->game;
    state.Board.fill(CellCode::Empty);
    state.CurrentColumn = {CellCode::Blue, CellCode::Blue, CellCode::Blue};
    state.CurrentRow = 21;
    state.CurrentCol = 2;
    state.SpecialFalling = false;
    for (int k = 0; k < 3; ++k) {
        state.Board(21 + k, 2) = CellCode::Blue;
    }
}

} // namespace quillop::test
