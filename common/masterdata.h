#pragma once

#include <QString>
#include <array>

// What the user enters: per package quantity, kind of quantity and price (display form),
// and the applicant's name.
struct MasterData {
    struct Package {
        QString menge;
        QString mengenart;
        QString fap;
    };
    std::array<Package, 9> packages; // package i is packages[i - 1]
    QString name;
};
