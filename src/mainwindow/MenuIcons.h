#pragma once

#include <QPixmap>
#include <QString>

namespace mostarium {

// Our own small pictures for the toolbar buttons and the menu items, drawn
// once per key and size: "Nieuw", "Openen", "Opslaan", "Afdrukken", "Wizard",
// "Spoelcurve", "Storting", "Hopgift", "Wateraanpassing", "Biergeluiden",
// "Help", "Tip", "Registreer", "Info", "Afsluiten". An unknown key gives an
// empty picture.
QPixmap programPicture(const QString &key, int size);

}  // namespace mostarium
