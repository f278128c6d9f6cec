#pragma once

#include <QIcon>

class QString;
class QStringList;

class TesselIcon
{
public:
    // The kind of icon asked for. Qt's theme lookup is the same for every
    // context; callers still say which one they mean so the call reads like the
    // theme folder the name comes from.
    enum IconContext {
        AnyContext = 0,
        ActionContext = 1,
        ApplicationContext = 2,
        CategoryContext = 3,
        DeviceContext = 4,
        EmblemContext = 5,
        MimeTypeContext = 6,
        PlaceContext = 7,
        StatusContext = 8,
    };

    // The theme icon for name (or fallback when the theme lacks it), with
    // emblems painted over it as withEmblems() does.
    static QIcon fromTheme(const QString& name, IconContext context, const QStringList& emblems,
                           const QIcon& fallback = QIcon());

    // Paints theme emblems over icon. Each entry of emblems names the emblem for
    // one fixed corner, always in this order:
    //   0 bottom-left, 1 top-left, 2 top-right, 3 bottom-right.
    // An empty entry leaves its corner free; entries past the fourth are
    // ignored. Each emblem covers about half the icon's edge.
    static QIcon withEmblems(const QIcon& icon, const QStringList& emblems);
};
