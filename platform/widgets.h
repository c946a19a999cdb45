// SPDX-FileCopyrightText: 2026 The Quillop developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

namespace quillop::platform {

// A picture shown as it is, pixel for pixel. Takes its own mouse presses, so
// pressing on it does not drag its window.
class PictureBox : public QWidget {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    // The picture drawn into; call update() or repaint() to show changes.
    QImage& picture() { return m_picture; }
    const QImage& picture() const { return m_picture; }
    void setPicture(QImage picture);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
};

// A text label on a transparent background that takes its own mouse presses
// and moves, so neither reaches the window under it.
class Label : public QLabel {
    Q_OBJECT

public:
    Label(const QString& text, QWidget* parent);
    void setTextColour(const QColor& colour);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};

// A label whose look is drawn once and then only copied, for text that
// moves but never changes (the credits): a plain label lays out and shapes
// every line again for each strip of it that comes into view. It looks
// exactly as a Label with the same settings, and is drawn again after a
// change of its text, font, colours or size.
class PrerenderedLabel : public Label {
    Q_OBJECT

public:
    using Label::Label;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QPixmap m_look;
    QString m_lookText;
};

} // namespace quillop::platform
