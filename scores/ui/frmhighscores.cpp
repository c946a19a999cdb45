#include "frmhighscores.h"

#include "shell/ui/module1.h"

#include "platform/fonts.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QStringDecoder>

#include <cstdio>

namespace quillop {

namespace {

const QColor Grey(128, 128, 128);
const QColor DarkGrey(64, 64, 64);

// The four columns: left and width; neighbouring cells are 7 pixels apart.
constexpr std::array<std::pair<int, int>, 4> Columns{{{48, 41}, {96, 145}, {248, 105}, {360, 65}}};
constexpr int RowPitch = 28; // 23 pixels of row and 5 between rows

Shape* AddCellBack(QWidget* parent, QRect place)
{
    auto* shape = new Shape(parent, place, Grey);
    shape->setFill(DarkGrey);
    return shape;
}

// Names are kept as UTF-8; a table written by an older program holds
// Windows-1252, and its accents still show.
QString DisplayName(const std::string& bytes)
{
    const QByteArray raw(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString name = utf8.decode(raw);
    if (!utf8.hasError()) {
        return name;
    }
    QStringDecoder windows1252("windows-1252");
    return windows1252.isValid() ? QString(windows1252.decode(raw)) : QString::fromLatin1(raw);
}

} // namespace

frmHighScores::frmHighScores(Module1& module)
    : FormWindow(QStringLiteral(":/pictures/highscores.png"), QStringLiteral("Quillop - High Scores")),
      m_module(module)
{
    const std::array<const char*, 4> headings{"Pos", "Name", "Score", "Level"};
    for (std::size_t k = 0; k < Columns.size(); ++k) {
        const auto [left, width] = Columns[k];
        AddCellBack(this, QRect(left, 50, width, 23));
        AddText(this, QString::fromLatin1(headings[k]), QRect(left, 51, width, 23), {});
    }
    lblOk = addButton("lblOk", QStringLiteral("Ok"), QRect(176, 552, 129, 25));
    lblOk->setTextColour(palette().color(QPalette::Active, QPalette::HighlightedText));
    connect(lblOk, &ButtonLabel::clicked, this, [this] { m_module.ReturnToMenu(this); });

    lblNotSaved = AddText(this, QStringLiteral("This score could not be saved."), QRect(24, 500, 422, 20), {.points = 9.75});
    lblNotSaved->setTextColour(ButtonYellow);
    lblNotSaved->hide();

    frameNewScore = new Panel(this, QRect(25, 24, 422, 505));
    AddText(frameNewScore, QStringLiteral("Congratulations, You Set a New  High Score"), QRect(64, 112, 297, 65),
            {.points = 18});
    AddText(frameNewScore, QStringLiteral("Enter Name"), QRect(0, 208, 425, 25), {.points = 13.5, .bold = false});
    auto* box = new Shape(frameNewScore, QRect(133, 240, 161, 36), Grey);
    box->setFill(Qt::black);
    txtControl = new QLineEdit(frameNewScore);
    txtControl->setGeometry(137, 243, 152, 29);
    txtControl->setFrame(false);
    txtControl->setMaxLength(12);
    txtControl->setFont(platform::GameFont(platform::MsSansSerif, 13.5, true));
    txtControl->setStyleSheet(QStringLiteral("QLineEdit { background: black; color: white; }"));
    // A double quote would end the name early in the file.
    txtControl->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^\"]*")), txtControl));
    txtControl->installEventFilter(this);
    AddText(frameNewScore, QStringLiteral("(12 Character Max)"), QRect(0, 280, 425, 25), {.points = 9.75, .bold = false});
    frameNewScore->hide();

    m_module.Store().LoadTopScores(m_module.TopScores);
    if (m_module.NewHighScorePending) {
        frameNewScore->show();
        lblOk->setEnabled(false);
    }
    BuildScoreRows();
    ShowTopScores();
    frameNewScore->raise();
    if (m_module.NewHighScorePending) {
        setFocusProxy(txtControl);
        txtControl->setFocus();
    }
}

void frmHighScores::BuildScoreRows()
{
    for (int i = 1; i <= 15; ++i) {
        Row& row = m_rows[static_cast<std::size_t>(i - 1)];
        std::array<platform::Label*, 4> cells{};
        for (std::size_t k = 0; k < Columns.size(); ++k) {
            const auto [left, width] = Columns[k];
            AddCellBack(this, QRect(left, 50 + RowPitch * i, width, 23));
        }
        for (std::size_t k = 0; k < Columns.size(); ++k) {
            const auto [left, width] = Columns[k];
            cells[k] = AddText(this, QString(), QRect(left, 53 + RowPitch * i, width, 23), {.points = 9.75});
        }
        cells[0]->setText(QString::number(i));
        row = Row{cells[0], cells[1], cells[2], cells[3]};
    }
}

void frmHighScores::ShowTopScores()
{
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const TopScoreEntry& entry = m_module.TopScores[i];
        const bool shown = entry.Score != 0;
        m_rows[i].lblName->setText(shown ? DisplayName(entry.Name) : QString());
        m_rows[i].lblScore->setText(shown ? QString::fromStdString(GroupedScore(entry.Score)) : QString());
        m_rows[i].lblLevel->setText(shown ? QString::number(entry.Level) : QString());
    }
}

void frmHighScores::ConfirmName()
{
    frameNewScore->hide();
    lblOk->setEnabled(true);
    m_module.NewHighScorePending = false;
    setFocusProxy(nullptr);
    setFocus();
    const QByteArray name = txtControl->text().toUtf8();
    InsertTopScore(m_module.TopScores, m_module.Game.GameScore, name.toStdString(), m_module.Game.GameLevel);
    ShowTopScores();
    if (!m_module.Store().SaveTopScores(m_module.TopScores)) {
        std::fprintf(stderr, "Quillop: the top scores could not be saved: %s\n",
                     qPrintable(m_module.Store().lastError()));
        lblNotSaved->show();
    }
}

bool frmHighScores::Form_KeyDown(int key)
{
    if (key == Qt::Key_Escape && !m_module.NewHighScorePending) {
        m_module.ReturnToMenu(this);
        return true;
    }
    return false;
}

void frmHighScores::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    Form_KeyDown(event->key());
}

bool frmHighScores::eventFilter(QObject* watched, QEvent* event)
{
    // The window sees the name box's keys first.
    if (watched == txtControl && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (Form_KeyDown(key->key())) {
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            ConfirmName();
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            return true; // ignored while the name is pending
        }
    }
    return FormWindow::eventFilter(watched, event);
}

} // namespace quillop
