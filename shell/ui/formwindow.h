// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/pendingpicture.h"
#include "platform/widgets.h"

#include <QColor>
#include <QImage>
#include <QWidget>

#include <functional>
#include <vector>

namespace quillop {

// What every window shares: the button labels that light up under the mouse,
// the black panels, the outlined boxes, the full-size borderless window that
// the mouse drags by its background, and the hand-over from one window to the
// next at the same place on the screen.

inline const QColor ButtonWhite{0xFF, 0xFF, 0xFF};
inline const QColor ButtonYellow{0xFF, 0xFF, 0x00};

// A text label that works as a button. The mouse moving over it turns it
// yellow; nothing turns it white again except the surface its window names
// (there is no leave event). A press and release over it is a click.
class ButtonLabel final : public platform::Label {
    Q_OBJECT

public:
    // Bold "MS Sans Serif" of the given size in points, centred.
    ButtonLabel(const QString& text, QWidget* parent, QRect place, double points = 13.5);

    // Yellow while lit, white otherwise.
    void setLit(bool lit);
    QColor textColour() const;

signals:
    void clicked();
    void hovered();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
};

// How a text label is set: its size in points, its weight, where its lines
// sit, and an underline.
struct TextStyle {
    double points = 12;
    bool bold = true;
    Qt::Alignment alignment = Qt::AlignHCenter;
    bool underline = false;
};

// A white "MS Sans Serif" label on a transparent background, its text
// wrapped within its width.
platform::Label* AddText(QWidget* parent, const QString& text, QRect place, TextStyle style = {});

// Turns the given buttons white.
void ResetButtons(const std::vector<ButtonLabel*>& buttons);

// A black panel. It takes its own mouse presses (no drag) and moves; a move
// over it resets the buttons it is given.
class Panel final : public QWidget {
public:
    Panel(QWidget* parent, QRect place);
    void resetsOnHover(std::vector<ButtonLabel*> buttons) { m_resets = std::move(buttons); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    std::vector<ButtonLabel*> m_resets;
};

// A rectangle shape with an edge line inside its bounds, filled with its
// fill colour or left open. It takes no mouse events; the mouse acts on
// whatever lies under it.
class Shape final : public QWidget {
public:
    Shape(QWidget* parent, QRect place, QColor edge, int edgeWidth = 1);
    // Sets the fill colour and fills the shape.
    void setFill(QColor colour);
    void setFillColour(QColor colour);
    void setFilled(bool filled);
    QColor fillColour() const { return m_fillColour; }
    bool isFilled() const { return m_filled; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_edge;
    int m_edgeWidth;
    QColor m_fillColour;
    bool m_filled = false;
};

// A full-size window: borderless, 470 x 600, #404040 under its own picture.
// A press on the background drags it, a move over the background turns its
// buttons white, and a close request from the desktop (Alt+F4, the taskbar)
// goes to the handler the program gives, instead of closing the window.
class FormWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int Width = 470;
    static constexpr int Height = 600;

    explicit FormWindow(const QString& picture, const QString& title = QStringLiteral("Quillop"));

    // A button label on the window, reset to white by the background.
    ButtonLabel* addButton(const char* name, const QString& text, QRect place, double points = 13.5);
    const std::vector<ButtonLabel*>& buttons() const { return m_buttons; }

    void setCloseRequestHandler(std::function<void()> handler) { m_closeRequested = std::move(handler); }
    // The program's own close, which the handler never sees.
    void closeByProgram();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    platform::PendingPicture m_picture;
    std::vector<ButtonLabel*> m_buttons;
    std::function<void()> m_closeRequested;
    bool m_closingByProgram = false;
};

// Closes a window as the program, not as the desktop.
void CloseByProgram(QWidget* window);

// How the window that hands over leaves the screen; a window that stays
// lies under the one that replaces it.
enum class Leave { Hide, Close, Stay };

// One window replaces another: the target is shown, takes the source's left
// and top, and the source hides or closes. The target becomes the active
// window, so keys reach it.
void HandOver(QWidget* from, QWidget* to, Leave leave);

// Drops every key, click and wheel turn that reaches a window once it is
// hidden: input queued while a window hands over to the next (a double
// click, a key typed during the switch) must not act on the window left
// behind. A key would resume a game hidden at the menu, a click open a second
// window from a menu that is gone. Installed on the application, it covers
// every window and every control in it.
class HiddenWindowInput final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace quillop
