#pragma once

#include "ui/DesignFonts.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

// The images of the designs, compiled into the program.
void InitDesignResources();

// One of those images, read as the format its name gives: left to guess, the toolkit loads
// every image plugin installed on the system to ask each whether it reads the file.
QImage DesignImage(const QString &path);

// The window icon made of one of those images, made once: a new icon for each window adds to
// the toolkit's pixmap cache at every opening, some 5 kB a window that is never given back.
QIcon DesignIcon(const QString &path);

// Builds a window from its design: the images, the controls, then the exact font sizes; and
// gives it its icon, where it has one.
template <class Design, class Window>
void LoadDesign(Design &design, Window *window, const char *icon = nullptr)
{
    InitDesignResources();
    design.setupUi(window);
    ApplyDesignFonts(window);
    if (icon)
        window->setWindowIcon(DesignIcon(QLatin1String(icon)));
}
