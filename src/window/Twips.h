#pragma once
// The window is laid out in twips (1/1440 inch), so it keeps its proportions on any
// screen: at 96 dpi 15 twips make one pixel.

#include <QRect>

class QWidget;

[[nodiscard]] int twipsToPixels(int twips, const QWidget *widget);
[[nodiscard]] QRect twipsToPixels(int left, int top, int width, int height, const QWidget *widget);
