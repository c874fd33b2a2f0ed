#include "gui/DesktopIdentity.h"

#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>

#include <map>

namespace desktopidentity {
namespace {

// The program's icon, whose pictures are read the first time one is drawn. Qt's own engine
// reads every picture when it is added, and to learn their format it loads every image-format
// plugin of the system: work for the start that a platform without window icons never needs.
class ProgramIconEngine : public QIconEngine
{
public:
    ProgramIconEngine() = default;

    QIconEngine *clone() const override { return new ProgramIconEngine(*this); }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int size : kSizes)
            sizes << QSize(size, size);
        return sizes;
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = fitting(size);
        return QSize(side, side).scaled(size, Qt::KeepAspectRatio);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = fitting(size);
        QPixmap &picture = m_read[side];
        if (picture.isNull()) {
            // The format is named and not guessed, so no image-format plugin is loaded to be
            // asked what the file is.
            QImageReader reader(QStringLiteral(":/icons/%1/pergolan.png").arg(side), "png");
            reader.setAutoDetectImageFormat(false);
            picture = QPixmap::fromImage(reader.read());
        }
        return picture.size() == size
            ? picture
            : picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

private:
    static constexpr int kSizes[] = { 16, 24, 32, 48, 64, 128, 256 };

    // The smallest picture at least as large as asked for, or the largest.
    static int fitting(const QSize &size)
    {
        const int wanted = std::max(size.width(), size.height());
        for (int side : kSizes) {
            if (side >= wanted)
                return side;
        }
        return kSizes[std::size(kSizes) - 1];
    }

    std::map<int, QPixmap> m_read;
};

} // namespace

QIcon programIcon()
{
    return QIcon(new ProgramIconEngine);
}

} // namespace desktopidentity
