#include "TypedList.h"

#include <QComboBox>
#include <QLineEdit>

namespace mostarium {

void makeTypedList(QComboBox *combo)
{
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    // The completion matches without regard to case and would put the item's
    // spelling in place of the typed one.
    combo->setCompleter(nullptr);
    // When typing ends (Enter, or the focus leaving the box) the combo box
    // looks up an item equal to the text, makes it current and reports it as
    // chosen; the text is the brewer's own, not a choice.
    QLineEdit *edit = combo->lineEdit();
    QObject::disconnect(edit, &QLineEdit::editingFinished, combo, nullptr);
    QObject::disconnect(edit, &QLineEdit::returnPressed, combo, nullptr);
}

}  // namespace mostarium
