#include "TesselIcon.h"

#include <QList>
#include <QPainter>
#include <QPixmap>
#include <QRect>
#include <QStringList>

#include <algorithm>
#include <array>

namespace {

constexpr int cornerCount = 4;
constexpr std::array<int, 5> commonEdges = {16, 22, 32, 48, 64};
// Icons offering fewer sizes than this are usually scalable ones that report a
// single nominal size; painting the common sizes keeps emblems crisp in menus,
// lists and toolbars alike.
constexpr int fewSizes = 3;

QRect cornerRect(int corner, const QSize& canvas, int edge)
{
    const int right = canvas.width() - edge;
    const int bottom = canvas.height() - edge;
    switch (corner) {
    case 0:
        return QRect(0, bottom, edge, edge);
    case 1:
        return QRect(0, 0, edge, edge);
    case 2:
        return QRect(right, 0, edge, edge);
    default:
        return QRect(right, bottom, edge, edge);
    }
}

QList<QSize> sizesToPaint(const QIcon& icon)
{
    QList<QSize> sizes;
    const QList<QSize> available = icon.availableSizes();
    for (const QSize& size : available) {
        if (!size.isEmpty() && !sizes.contains(size))
            sizes.append(size);
    }
    if (sizes.size() < fewSizes) {
        for (const int edge : commonEdges) {
            if (!sizes.contains(QSize(edge, edge)))
                sizes.append(QSize(edge, edge));
        }
    }
    return sizes;
}

QPixmap paintWithEmblems(const QIcon& icon, const QSize& size, const std::array<QIcon, cornerCount>& emblems)
{
    const QPixmap base = icon.pixmap(size);
    if (base.isNull())
        return QPixmap();
    const qreal ratio = base.devicePixelRatio();
    QPixmap canvas(size * ratio);
    canvas.setDevicePixelRatio(ratio);
    canvas.fill(Qt::transparent);

    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // Icons without this exact size come back smaller; stretching them keeps
    // the emblems on the icon's own corners rather than on empty margins.
    const QSize baseSize = (base.size() / ratio).scaled(size, Qt::KeepAspectRatio);
    const QRect baseRect(QPoint((size.width() - baseSize.width()) / 2, (size.height() - baseSize.height()) / 2),
                         baseSize);
    painter.drawPixmap(baseRect, base);

    const int edge = std::max(1, std::min(size.width(), size.height()) / 2);
    for (int corner = 0; corner < cornerCount; ++corner) {
        if (emblems[corner].isNull())
            continue;
        painter.drawPixmap(cornerRect(corner, size, edge), emblems[corner].pixmap(QSize(edge, edge)));
    }
    return canvas;
}

} // namespace

QIcon TesselIcon::fromTheme(const QString& name, IconContext, const QStringList& emblems, const QIcon& fallback)
{
    return withEmblems(QIcon::fromTheme(name, fallback), emblems);
}

QIcon TesselIcon::withEmblems(const QIcon& icon, const QStringList& emblems)
{
    if (icon.isNull())
        return icon;

    std::array<QIcon, cornerCount> emblemIcons;
    bool anyEmblem = false;
    const int count = std::min(cornerCount, int(emblems.size()));
    for (int corner = 0; corner < count; ++corner) {
        if (emblems.at(corner).isEmpty())
            continue;
        emblemIcons[corner] = QIcon::fromTheme(emblems.at(corner));
        anyEmblem = anyEmblem || !emblemIcons[corner].isNull();
    }
    if (!anyEmblem)
        return icon;

    QIcon result;
    const QList<QSize> sizes = sizesToPaint(icon);
    for (const QSize& size : sizes) {
        const QPixmap painted = paintWithEmblems(icon, size, emblemIcons);
        if (!painted.isNull())
            result.addPixmap(painted);
    }
    return result.isNull() ? icon : result;
}
