#pragma once
// The system's font is 宋体 9 pt. Where 宋体 is not installed (Linux), Chinese is drawn with a
// CJK font that is (WenQuanYi Zen Hei first), on screen and in PDFs.

class QFont;

void installAppFont();
// 宋体 at the given point size, with the fallback applied.
QFont songti(double pointSize = 9);
