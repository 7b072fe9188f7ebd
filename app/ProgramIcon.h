#pragma once
// The program icon: a brush tip writing a red numbered stroke on a light page. It is drawn
// for each size on its own pixel grid, so that it stays sharp from 16 pixels up.

#include <QIcon>
#include <QImage>
#include <QPixmap>

// The icon drawn at size × size device-independent pixels for a device pixel ratio.
QImage ProgramIconImage(int size, qreal devicePixelRatio = 1.0);
QPixmap ProgramIconPixmap(int size, qreal devicePixelRatio = 1.0);

// The icon with pictures for 16, 24, 32, 48, 64, 96, 128 and 256 pixels, which also serve
// the double-density forms of 16, 32 and 48.
QIcon ProgramIcon();
