// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Fuzzes the score store on a real folder: whatever file stands where the
// table goes, a load fills fifteen entries and says how it went, and a save
// after it puts the result into a table that reads back whole, with what
// could not be read kept aside, byte for byte as read.
#include "scores/store/topscorestore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

using quillop::TopScoreStore;

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void check(bool holds)
{
    if (!holds) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir root;
    QDir folder(root.path());
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden)) {
        folder.remove(name);
    }
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString table = folder.filePath(QString::fromLatin1(TopScoreStore::FileName));
    {
        QFile file(table);
        check(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

    TopScoreStore store(root.path(), QString());
    const TopScoreStore::TableRead read = store.LoadTopScores();
    const TopScoreStore::LoadStatus status = read.status;
    check(status != TopScoreStore::LoadStatus::Unreadable);
    check((status == TopScoreStore::LoadStatus::Missing) == bytes.isEmpty());
    check(read.problem.isEmpty()
          == (status == TopScoreStore::LoadStatus::Read || status == TopScoreStore::LoadStatus::Missing));

    const quillop::TopScoreEntry added{"Fuzz", 5, 1};
    const TopScoreStore::TableSaved saved = store.SaveTopScores(added);
    switch (saved.status) {
    case TopScoreStore::SaveStatus::Saved: {
        const TopScoreStore::TableRead back = store.LoadTopScores();
        check(back.status == TopScoreStore::LoadStatus::Read && back.table == saved.table);
        const bool damaged =
            status == TopScoreStore::LoadStatus::Damaged || status == TopScoreStore::LoadStatus::Unrecognised;
        check(readAll(table + QStringLiteral(".damaged")) == (damaged ? bytes : QByteArray()));
        break;
    }
    case TopScoreStore::SaveStatus::NotPlaced:
        check(saved.table == read.table && readAll(table) == bytes);
        break;
    case TopScoreStore::SaveStatus::NotSynced:
    case TopScoreStore::SaveStatus::Busy:
    case TopScoreStore::SaveStatus::Failed:
    case TopScoreStore::SaveStatus::Unreadable:
        std::abort();
    }
    return 0;
}
