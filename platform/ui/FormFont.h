#pragma once

// The forms are laid out for the faces of the system they were designed on
// ("ＭＳ ゴシック" and the like), which are not installed here. A form names
// its face in its .ui file; this puts the installed face of the same look in
// its place, through the substitution table the drawings' texts use, so the
// Japanese captions look as intended. Faces the table does not know stay as
// they are, for fontconfig to resolve.

class QWidget;

// The widget's font family substituted, and its size set in pixels (the
// forms' sizes are pixel heights). The widget's children inherit the font.
void UseFormFont(QWidget* widget, int pixel_size);
