// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/termination.h"

#include <QCoreApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace quillop {
namespace {

// Raises the signal many times in a child process, which shares the
// program's signal socket and handler; true when it finished within 10 s.
bool stormFinishes(int signal, int times)
{
    const pid_t child = ::fork();
    if (child == 0) {
        for (int i = 0; i < times; ++i) {
            ::raise(signal);
        }
        ::_exit(0);
    }
    for (int waited = 0; waited < 1000; ++waited) {
        int status = 0;
        if (::waitpid(child, &status, WNOHANG) == child) {
            return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
        ::usleep(10000);
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    return false;
}

TEST(TerminationRequest, AStormOfSignalsNeverBlocksAndEndsTheProgramOnce)
{
    int ends = 0;
    onTerminationRequest([&ends] { ++ends; });
    // Nothing reads the socket meanwhile, as while a save waits for a lock.
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        EXPECT_TRUE(stormFinishes(signal, 3000)) << "the handler blocked on signal " << signal;
    }
    EXPECT_TRUE(QTest::qWaitFor([&ends] { return ends > 0; }, 5000));
    QCoreApplication::processEvents();
    EXPECT_EQ(ends, 1);
}

} // namespace
} // namespace quillop
