// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmhighscores.h"

#include "shell/ui/shape.h"
#include "shell/ui/text.h"

#include "common/virtualkey.h"
#include "common/windows1252.h"
#include "platform/fonts.h"
#include "platform/keys.h"
#include "platform/log.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

namespace quillop {

namespace {

const QColor Grey(128, 128, 128);
const QColor DarkGrey(64, 64, 64);

// The four columns: left and width; neighbouring cells are 7 pixels apart.
constexpr std::array<std::pair<int, int>, 4> Columns{{{48, 41}, {96, 145}, {248, 105}, {360, 65}}};
constexpr int RowPitch = 28; // 23 pixels of row and 5 between rows

Shape* addCellBack(QWidget* parent, QRect place)
{
    auto* shape = new Shape(parent, place, Grey);
    shape->setFill(DarkGrey);
    return shape;
}

// The file holds names in Windows-1252, one byte a character; every
// character of the set lies in Unicode's first plane.
QString displayName(const std::string& bytes)
{
    QString name;
    for (const char byte : bytes) {
        name += QChar(static_cast<char16_t>(windows1252::toUnicode(static_cast<std::uint8_t>(byte))));
    }
    return name;
}

// The name as the file holds it; only names the box let through reach here.
std::string storedName(const QString& name)
{
    std::string bytes;
    for (const char32_t c : name.toUcs4()) {
        bytes += static_cast<char>(windows1252::fromUnicode(c).value_or('?'));
    }
    return bytes;
}

// Refuses, as it is typed, any character the file cannot hold as it is:
// those outside Windows-1252, control characters, and the double quote,
// which would end the name early.
class NameValidator final : public QValidator {
    Q_OBJECT

public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override
    {
        for (const char32_t c : input.toUcs4()) {
            const bool control = c < 0x20 || (c >= 0x7F && c < 0xA0);
            if (control || c == U'"' || !windows1252::fromUnicode(c)) {
                return Invalid;
            }
        }
        return Acceptable;
    }
};

} // namespace

void logTableRead(const TopScoreStore::TableRead& read)
{
    switch (read.status) {
    case TopScoreStore::LoadStatus::Unreadable:
    case TopScoreStore::LoadStatus::Unrecognised:
        qCWarning(lcQuillop).noquote() << "the top scores could not be read:" << read.problem;
        break;
    case TopScoreStore::LoadStatus::NotOpened:
        qCWarning(lcQuillop).noquote() << "the top scores could not be opened:" << read.problem;
        break;
    case TopScoreStore::LoadStatus::Damaged:
        qCWarning(lcQuillop).noquote() << "part of the top scores could not be read:" << read.problem;
        break;
    case TopScoreStore::LoadStatus::Read:
    case TopScoreStore::LoadStatus::Missing:
        break;
    }
}

frmHighScores::frmHighScores(WindowHost& host, HighScoreState shared)
    : FormWindow(QStringLiteral(":/pictures/highscores.ppm"), QStringLiteral("Quillop - High Scores")), m_host(host),
      m_shared(shared)
{
    m_retry.setSingleShot(true);
    m_retry.setInterval(RetryMs);
    connect(&m_retry, &QTimer::timeout, this, [this] { saveName(false); });
    const std::array<const char*, 4> headings{"Pos", "Name", "Score", "Level"};
    for (std::size_t k = 0; k < Columns.size(); ++k) {
        const auto [left, width] = Columns[k];
        addCellBack(this, QRect(left, 50, width, 23));
        addText(this, QString::fromLatin1(headings[k]), QRect(left, 51, width, 23), {});
    }
    lblOk = addOkButton([this] { m_host.returnToMenu(this); });
    lblOk->setTextColour(palette().color(QPalette::Active, QPalette::HighlightedText));

    lblStoreNotice = addText(this, QString(), QRect(24, 500, 422, 20), {.points = 9.75});
    lblStoreNotice->setObjectName(QStringLiteral("lblStoreNotice"));
    lblStoreNotice->setTextColour(ButtonYellow);
    lblStoreNotice->hide();

    frameNewScore = new Panel(this, QRect(25, 24, 422, 505));
    frameNewScore->setObjectName(QStringLiteral("frameNewScore"));
    addText(frameNewScore, QStringLiteral("Congratulations, You Set a New  High Score"), QRect(64, 112, 297, 65),
            {.points = 18});
    addText(frameNewScore, QStringLiteral("Enter Name"), QRect(0, 208, 425, 25), {.points = 13.5, .bold = false});
    auto* box = new Shape(frameNewScore, QRect(133, 240, 161, 36), Grey);
    box->setFill(Qt::black);
    txtControl = new QLineEdit(frameNewScore);
    txtControl->setObjectName(QStringLiteral("txtControl"));
    txtControl->setGeometry(137, 243, 152, 29);
    txtControl->setFrame(false);
    txtControl->setMaxLength(12);
    txtControl->setFont(platform::gameFont(platform::MsSansSerif, 13.5, true));
    QPalette colours = txtControl->palette();
    colours.setColor(QPalette::Base, Qt::black);
    colours.setColor(QPalette::Text, Qt::white);
    txtControl->setPalette(colours);
    txtControl->setValidator(new NameValidator(txtControl));
    txtControl->installEventFilter(this);
    addText(frameNewScore, QStringLiteral("(12 Character Max)"), QRect(0, 280, 425, 25),
            {.points = 9.75, .bold = false});
    frameNewScore->hide();

    if (m_shared.alreadyRead) {
        tell(*m_shared.alreadyRead);
    } else {
        const TopScoreStore::TableRead read = m_shared.store.LoadTopScores();
        m_shared.TopScores = read.table;
        tell(read);
    }
    if (m_shared.NewHighScorePending) {
        frameNewScore->show();
        lblOk->setEnabled(false);
    }
    BuildScoreRows();
    ShowTopScores();
    frameNewScore->raise();
    if (m_shared.NewHighScorePending) {
        setFocusProxy(txtControl);
        txtControl->setFocus();
    }
}

void frmHighScores::BuildScoreRows()
{
    for (int i = 1; i <= static_cast<int>(TopScoreCount); ++i) {
        Row& row = m_rows[static_cast<std::size_t>(i - 1)];
        std::array<platform::Label*, 4> cells{};
        for (std::size_t k = 0; k < Columns.size(); ++k) {
            const auto [left, width] = Columns[k];
            addCellBack(this, QRect(left, 50 + RowPitch * i, width, 23));
        }
        for (std::size_t k = 0; k < Columns.size(); ++k) {
            const auto [left, width] = Columns[k];
            cells[k] = addText(this, QString(), QRect(left, 53 + RowPitch * i, width, 23), {.points = 9.75});
            cells[k]->setWordWrap(false);
        }
        const std::array<const char*, 4> names{"lblPosition", "lblName", "lblScore", "lblLevel"};
        for (std::size_t k = 0; k < cells.size(); ++k) {
            cells[k]->setObjectName(QStringLiteral("%1(%2)").arg(QLatin1String(names[k])).arg(i - 1));
        }
        cells[0]->setText(QString::number(i));
        row = Row{cells[0], cells[1], cells[2], cells[3]};
    }
}

void frmHighScores::ShowTopScores()
{
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const TopScoreEntry& entry = m_shared.TopScores[i];
        const bool shown = entry.Score != 0;
        // A name wider than its cell ends in an ellipsis, on one line.
        QLabel* name = m_rows[i].lblName;
        const QString full = shown ? displayName(entry.Name) : QString();
        name->setText(name->fontMetrics().elidedText(full, Qt::ElideRight, name->width()));
        name->setToolTip(name->text() == full ? QString() : full);
        m_rows[i].lblScore->setText(shown ? QString::fromStdString(groupedScore(entry.Score)) : QString());
        m_rows[i].lblLevel->setText(shown ? QString::number(entry.Level) : QString());
    }
}

void frmHighScores::confirmName()
{
    if (!m_retry.isActive()) {
        saveName(false);
    }
}

void frmHighScores::saveName(bool ending)
{
    const TopScoreEntry added{storedName(txtControl->text()), m_shared.Score, m_shared.Level};
    // The save puts the entry into the table as it is on disk now, which
    // another copy of the game may have changed since this window opened,
    // and the window shows what is on disk.
    m_shared.store.setLockWait(ending ? RetryMs * RetryCount : 0);
    const TopScoreStore::TableSaved saved = m_shared.store.SaveTopScores(added);
    const QString& why = saved.problem;
    if (saved.status == TopScoreStore::SaveStatus::Busy && !ending) {
        // The name stays in its box, waiting.
        m_triesLeft = m_triesLeft == 0 ? RetryCount : m_triesLeft - 1;
        if (m_triesLeft > 0) {
            tellPlayer(QStringLiteral("The score table is in use; trying again."));
            m_retry.start();
        } else {
            qCWarning(lcQuillop).noquote() << "the top scores are in use:" << why;
            tellPlayer(QStringLiteral("The score table is in use. Press Enter to try again."));
        }
        return;
    }
    m_retry.stop();
    m_triesLeft = 0;
    frameNewScore->hide();
    lblOk->setEnabled(true);
    m_shared.NewHighScorePending = false;
    setFocusProxy(nullptr);
    setFocus();
    switch (saved.status) {
    case TopScoreStore::SaveStatus::Saved:
        lblStoreNotice->hide();
        if (!why.isEmpty()) {
            qCWarning(lcQuillop).noquote() << "the top scores were saved, but:" << why;
        }
        break;
    case TopScoreStore::SaveStatus::NotSynced:
        qCWarning(lcQuillop).noquote() << "the new score may not be on disk yet:" << why;
        tellPlayer(QStringLiteral("This score is in the table, but may not be on disk yet."));
        break;
    case TopScoreStore::SaveStatus::NotPlaced:
        qCWarning(lcQuillop).noquote() << "the new score was not put in the table:" << why;
        tellPlayer(QStringLiteral("Better scores filled the table meanwhile."));
        break;
    case TopScoreStore::SaveStatus::Busy:
    case TopScoreStore::SaveStatus::Failed:
        qCWarning(lcQuillop).noquote() << "the top scores could not be saved:" << why;
        tellPlayer(QStringLiteral("This score could not be saved."));
        break;
    case TopScoreStore::SaveStatus::Unreadable:
        qCWarning(lcQuillop).noquote() << "the top scores were left as they are:" << why;
        tellPlayer(QStringLiteral("The score table could not be read, so this score was not saved."));
        break;
    }
    if (saved.status == TopScoreStore::SaveStatus::Saved || saved.status == TopScoreStore::SaveStatus::NotSynced
        || saved.status == TopScoreStore::SaveStatus::NotPlaced) {
        m_shared.TopScores = saved.table;
    } else {
        // Not on disk, but still this game's result: it stays on screen
        // beside the notice.
        InsertTopScore(m_shared.TopScores, added.Score, added.Name, added.Level);
    }
    ShowTopScores();
}

void frmHighScores::closeByProgram()
{
    if (m_shared.NewHighScorePending) {
        m_retry.stop();
        saveName(true);
    }
    FormWindow::closeByProgram();
}

void frmHighScores::tell(const TopScoreStore::TableRead& read)
{
    logTableRead(read);
    switch (read.status) {
    case TopScoreStore::LoadStatus::Unreadable:
    case TopScoreStore::LoadStatus::Unrecognised:
        tellPlayer(QStringLiteral("The score table could not be read."));
        break;
    case TopScoreStore::LoadStatus::NotOpened:
        tellPlayer(QStringLiteral("The score table could not be opened just now."));
        break;
    case TopScoreStore::LoadStatus::Damaged:
        tellPlayer(QStringLiteral("Part of the score table could not be read."));
        break;
    case TopScoreStore::LoadStatus::Read:
    case TopScoreStore::LoadStatus::Missing:
        break;
    }
}

void frmHighScores::tellPlayer(const QString& text)
{
    lblStoreNotice->setText(text);
    lblStoreNotice->show();
    lblStoreNotice->raise();
}

bool frmHighScores::eventFilter(QObject* watched, QEvent* event)
{
    // The window sees the name box's keys first.
    if (watched == txtControl && event->type() == QEvent::KeyPress) {
        const std::int16_t key = platform::virtualKeyCode(*static_cast<QKeyEvent*>(event));
        if (Form_KeyDown(key)) {
            return true;
        }
        if (key == VirtualKey::Enter) {
            confirmName();
            return true;
        }
        if (key == VirtualKey::Escape) {
            return true; // ignored while the name is pending
        }
    }
    return FormWindow::eventFilter(watched, event);
}

} // namespace quillop

#include "frmhighscores.moc"
