#pragma once

class QComboBox;

namespace mostarium {

// Makes `combo` a list the brewer may also type in. What is typed stays
// exactly as typed: no completion fills it in, and no list item takes its
// place, whatever its letter case. Typing chooses no item either, so
// `activated` comes only from a choice in the list (the list opened, the
// arrow keys, the wheel), never from Enter or leaving the box. Enter adds
// nothing to the list.
void makeTypedList(QComboBox *combo);

}  // namespace mostarium
