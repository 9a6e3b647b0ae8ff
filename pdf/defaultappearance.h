#pragma once

#include <QByteArray>

// The font resource, size and colour that a field's default appearance string such as
// "/Helv 10 Tf 0 g" sets.
struct DefaultAppearance {
    QByteArray font; // the resource name, without its slash
    double size = 0; // 0: as large as fits
    QByteArray colour = "0 g";

    static DefaultAppearance parse(const QByteArray &da);
};
