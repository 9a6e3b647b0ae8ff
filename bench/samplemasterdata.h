#pragma once

#include "app/frmmain.h"

#include <QLineEdit>

// The master data the benchmarks work with: nine packages with prices, and a name beyond
// Windows-1252.
inline void enterSampleMasterData(frmMain &w)
{
    w.AName->setText(QStringLiteral("Łódź Kovač Groß (Wien)"));
    for (int i = 1; i <= 9; ++i) {
        w.txtMenge[i]->setText(QString::number(i * 10));
        w.txtMengenart[i]->setText(QStringLiteral("Stück"));
        w.txtFAP[i]->setText(QStringLiteral("1.234,50"));
    }
}
