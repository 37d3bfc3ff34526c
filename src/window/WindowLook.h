#pragma once
// The window's own look. It sets every colour of its palette itself and draws with
// Fusion, so a desktop theme, light or dark, never mixes with its fixed
// colours; a text in a light colour of its own sits on a dark ground of its own, as the
// old toolkit's opaque labels carried a back colour of their own. The layout is drawn
// for one face at 8 points; where a stand-in face sets the captions wider, the window's
// font is made smaller until they fit again.

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPalette>

namespace WindowLook {

inline constexpr QColor kCaptionBlue{0, 0, 192};       // Frame2's caption, Label5
inline constexpr QColor kTypedCount{128, 255, 255};    // Label7
inline constexpr QColor kRemainingCount{255, 192, 192}; // Label9
inline constexpr QColor kStatusLine{128, 255, 128};    // Label10
inline constexpr QColor kMessageGround{192, 255, 255}; // txtMessage
inline constexpr QColor kNotANumber{176, 0, 32};       // Text1 holding more than a number, 7.3:1 on white
inline constexpr QColor kTitleBar{0, 0, 128};          // Label11's band
inline constexpr QColor kTitleBarText{255, 255, 255};  // Label11
inline constexpr QColor kDisplayGround{24, 32, 56};    // the counter and status strips
inline constexpr QColor kDisplayText{232, 232, 232};   // Label8 on its strip
inline constexpr QColor kFocusMark{24, 70, 99};        // the focus ring: the highlight at half its brightness
inline constexpr QColor kFocusMarkOnDark{160, 210, 255}; // the focus ring in a dark desktop's boxes

// The window's palette: light, complete in every colour group, none of it the desktop's.
[[nodiscard]] QPalette windowPalette();

// The face and size the layout is drawn for.
[[nodiscard]] QFont layoutFont();

void setTextColour(QWidget *widget, const QColor &colour);

// An opaque ground of the widget's own, behind a text of the given colour.
void setGround(QWidget *widget, const QColor &ground, const QColor &text);

// Fusion for the window and every control in it, with a focus mark one can see, and the
// window's font made smaller, half a point at a time, until every shown caption fits.
// Call once the controls exist.
void finishLook(QWidget *window);

// The same style for every other window of the program, its message boxes: call once
// the application exists.
void setApplicationStyle();

} // namespace WindowLook

// The status line where Send was: a dark strip while it says something, nothing
// while empty, since it reaches a little past Send's right edge.
class StatusStrip : public QLabel
{
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *event) override;
};
