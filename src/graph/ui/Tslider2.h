#pragma once
#include <QColor>
#include <QPoint>
#include <QRect>
#include <QWidget>

// The two-thumb slider: two independent values between Minimum and Maximum, each carried
// by a thumb that the left mouse button drags. Setting a value clamps it and, when it
// changes, raises that thumb's event.
class Tslider2 : public QWidget {
    Q_OBJECT
public:
    enum Orientation { slHoriz, slVertical };

    explicit Tslider2(QWidget* parent = nullptr);

    int Minimum() const { return minimum; }
    int Maximum() const { return maximum; }
    int Value1() const { return value1; }
    int Value2() const { return value2; }
    void SetMin(int value);
    void SetMax(int value);
    void SetValue1(int value);
    void SetValue2(int value);

    int TrackWidth = 5;
    QColor TrackColor;
    int ThumbHeight = 20;  // the thumb's extent along the track
    int ThumbWidth = 8;
    QColor ThumbColor;
    Orientation orientation = slHoriz;

    // The thumbs' hit rectangles for the current size and values.
    QRect ThumbRect(int thumb) const;

signals:
    void OnValueChange1();
    void OnValueChange2();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int TrackLength() const;
    int minimum = 0;
    int maximum = 100;
    int value1 = 0;
    int value2 = 100;
    int dragging = 0;  // 0 none, else the thumb being dragged
    QPoint pressPoint;
    int pressValue = 0;
};
