#include "frmRecept.h"

#include "core/Session.h"

namespace mostarium {

frmRecept::frmRecept(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmRecept"));
    setWindowTitle(QStringLiteral("Wortkamer   -   ") + session().recipe.Revision);
    resize(15000 / 15, 9400 / 15);
}

} // namespace mostarium
