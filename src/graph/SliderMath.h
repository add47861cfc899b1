#pragma once

// Arithmetic of the two-thumb slider, apart from its painting.

int ClampSliderValue(int value, int minimum, int maximum);

// Pixel offset of a thumb along the track; 0 when the range is empty.
int ThumbOffset(int trackLength, int thumbHeight, int value, int minimum, int maximum);

// The value a drag by delta pixels gives a thumb pressed at startValue, unclamped;
// integer division truncating toward zero.
int DraggedValue(int startValue, int delta, int minimum, int maximum, int trackLength,
                 int thumbHeight);

// The slider over a chart of `points` points: the whole range, thumbs at a third and two thirds.
struct SliderFrame {
    int minimum;
    int maximum;
    int value1;
    int value2;
};
SliderFrame SliderFrameFor(int points);
