#pragma once

#include <QByteArray>
#include <QWidget>

class QMovie;

// The marker over the digit being drawn: a small widget that shows a looping GIF
// animation from a file. It offers what the draw needs of it: load a picture, stand at
// a left edge, show or hide.
class AniGifDisplay : public QWidget {
    Q_OBJECT
  public:
    explicit AniGifDisplay(QWidget* parent = nullptr);
    ~AniGifDisplay() override;

    static QWidget* create(QWidget* parent) { return new AniGifDisplay(parent); }

    // Shows the animation in the file from now on. The second text is accepted and
    // ignored. A file that cannot be read as an animation throws, naming the path, and
    // leaves the marker without a picture.
    void LoadFile(const QString& path, const QString& ignored = QString());
    bool hasPicture() const { return movie_ != nullptr; }

    float Left() const;
    void setLeft(double twipsLeft);
    bool Visible() const { return isVisible(); }

    // What the frames of a GIF take once decoded and kept, in bytes, known before any is
    // decoded. LoadFile refuses a file whose frames would take more than the limit.
    static double decodedSize(const QByteArray& bytes);
    static constexpr double DecodedLimit = 64.0 * 1024 * 1024;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QMovie* movie_ = nullptr;
};
