#pragma once

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdint>
#include <functional>

class QKeyEvent;

// The control kinds the windows are built from. Each keeps the design's vocabulary
// (caption, fore colour, enabled timers) on top of the Qt widget it is.

// The character a key press types, as the program's key handlers see it: printable
// characters, Backspace 8, Tab 9, Enter 13, Esc 27, Ctrl+letter 1 to 26. Keys that type
// nothing (Delete, arrows, Home, End, function keys, modifiers alone) give 0.
int characterCode(const QKeyEvent* event);

class Label : public QLabel {
    Q_OBJECT
  public:
    explicit Label(QWidget* parent = nullptr);

    QString caption() const { return text(); }
    void setCaption(const QString& caption);
    std::uint32_t foreColor() const;
    void setForeColor(std::uint32_t bgr);
    // A label that sizes itself to its caption, as the design asks of some captions.
    void setAutoSize(bool on);
    // Narrows the caption's face just enough that one line fits the label's width.
    void narrowToFit();

  Q_SIGNALS:
    void clicked();

  protected:
    // A label takes its clicks, whether or not it has a handler, so they never reach the
    // container behind it.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void fitToCaption();
    bool autoSize_ = false;
    bool pressed_ = false;
};

// A stretched picture, decoded at the size it is shown at in the pixels of the screen its
// window stands on, and decoded again when the window goes to a screen of another density,
// so it is never a stretched copy of what another screen was given.
class Picture : public QLabel {
    Q_OBJECT
  public:
    explicit Picture(QWidget* parent = nullptr);
    // The file, and the size it is shown at in the window's pixels.
    void setSource(const QString& path, QSize shown);
    // Decodes the picture again if its window now stands on a screen of another density.
    void drawForScreen();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void decode();
    QString path_;
    QSize shown_;
    qreal ratio_ = 1.0; // the density the picture was last decoded for
};

// A window's picture: drawn unscaled from the top left of the client area, behind every
// control; the back colour shows wherever it does not reach. It takes no clicks, so they
// fall to the client area as they would without it. It is drawn at the density of the
// screen its window stands on.
class Backdrop : public QLabel {
    Q_OBJECT
  public:
    Backdrop(const QString& path, QWidget* parent);
    // Draws the picture for the window's screen and takes its size; false when the file
    // cannot be read.
    bool load();
    // Draws it again if its window now stands on a screen of another density.
    void drawForScreen();

  private:
    QString path_;
    qreal ratio_ = 1.0; // the density the picture was last drawn for
};

class Frame : public QFrame {
    Q_OBJECT
  public:
    explicit Frame(QWidget* parent = nullptr);

  Q_SIGNALS:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    bool pressed_ = false;
};

class CommandButton : public QPushButton {
    Q_OBJECT
  public:
    explicit CommandButton(QWidget* parent = nullptr);
    QString caption() const { return text(); }
    void setBackColor(std::uint32_t bgr);
};

// A text box whose typed characters pass through a key-press handler first: the handler
// gets the character code by reference and discards the keystroke by setting it to 0.
class TextBox : public QLineEdit {
    Q_OBJECT
  public:
    explicit TextBox(QWidget* parent = nullptr);
    void setKeyPressHandler(std::function<void(int&)> handler) { keyPress_ = std::move(handler); }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Qt's own menu, its entries in Persian, runs right to left like them.
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    std::function<void(int&)> keyPress_;
};

class ComboBox : public QComboBox {
    Q_OBJECT
  public:
    explicit ComboBox(QWidget* parent = nullptr);
};

// A straight line between two points of its container, drawn in its own rectangle.
class Line : public QWidget {
    Q_OBJECT
  public:
    Line(QWidget* parent, QPointF from, QPointF to, std::uint32_t bgr, int widthPixels);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPointF from_;
    QPointF to_;
    QColor colour_;
    int width_;
};

// A window timer: enabled means ticking. Changing the interval of an enabled timer
// starts its period anew, and an interval of 0 ticks whenever the event loop is idle.
class Timer : public QTimer {
    Q_OBJECT
  public:
    explicit Timer(QObject* parent = nullptr);
    bool Enabled() const { return isActive(); }
    void setEnabled(bool on);
    int Interval() const { return interval(); }
    void setIntervalMs(int ms);
};
