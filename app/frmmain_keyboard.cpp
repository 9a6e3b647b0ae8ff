// The keys of the navigation buttons. Each clicks its hot spot, so the click's own handler
// runs; a button added later needs one more row.
#include "clicklabel.h"
#include "frmmain.h"

void frmMain::assignKeys()
{
    const struct {
        ClickLabel *frmMain::*hotSpot;
        QKeyCombination key;
    } keys[] = {
        {&frmMain::Label7, Qt::ALT | Qt::Key_1},               // Startseite
        {&frmMain::Label3, Qt::ALT | Qt::Key_2},               // Stammdaten
        {&frmMain::Label4, Qt::ALT | Qt::Key_3},               // Inhaltsverzeichnis
        {&frmMain::Label5, Qt::CTRL | Qt::Key_P},              // Drucken
        {&frmMain::Label6, Qt::CTRL | Qt::Key_Q},              // Schliessen
        {&frmMain::Label15, Qt::CTRL | Qt::SHIFT | Qt::Key_S}, // Als PDF speichern
    };
    for (const auto &k : keys)
        (this->*k.hotSpot)->setShortcut(k.key);
}
