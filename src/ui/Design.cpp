// The window designs: building a window from its design, and the designs' pictures.
#include "ui/Design.h"

#include <QFileInfo>
#include <QHash>
#include <QImageReader>

void InitDesignResources()
{
    // Pendrel's code is a static library, whose resource initialiser the linker would drop.
    Q_INIT_RESOURCE(resources);
}

QImage DesignImage(const QString &path)
{
    QImageReader reader(path, QFileInfo(path).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QIcon DesignIcon(const QString &path)
{
    static QHash<QString, QIcon> made;
    auto found = made.find(path);
    if (found == made.end())
        found = made.insert(path, QIcon(QPixmap::fromImage(DesignImage(path))));
    return *found;
}
