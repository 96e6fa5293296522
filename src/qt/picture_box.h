#pragma once

#include <QImage>
#include <QWidget>

namespace velmora {

// A picture box (the cursor sprite): a picture inside a sunken border two
// pixels wide. It sizes itself to its picture (outer size = picture + 4 each
// way); without a picture it keeps the size it has. Its position is kept as the real the game wrote
// (115.5 stays 115.5) and the widget stands at the nearest pixel.
class PictureBox : public QWidget {
    Q_OBJECT

public:
    static constexpr int BorderWidth = 2;

    explicit PictureBox(QWidget* parent = nullptr);

    const QImage& picture() const { return picture_; }
    void setPicture(const QImage& picture);

    float Left() const { return left_; }
    float Top() const { return top_; }
    void setLeft(float left);
    void setTop(float top);
    // Places and sizes the box in one move.
    void setPlacement(float left, float top, int width, int height);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void moveToPlacement();

    QImage picture_;
    float left_ = 0.0f;
    float top_ = 0.0f;
};

} // namespace velmora
