#pragma once

#include <QString>

namespace mostarium {

struct Session;

// The list file of the open recipe, "temp\ShoppingList_<base>.txt"; empty
// when the recipe has no file yet.
QString shoppingListPath(const Session &s);

// The list as text, lines joined by CR LF; `suppliers` is the brewer's
// supplier list (decoded, or null when there is none) appended at the end.
QString shoppingListText(const Session &s, const QString &suppliers);

// Writes the list whole. False (after the message) when it could not be
// written; true also when there is no recipe file and so nothing to do.
bool MakeShoppingList(const Session &s);

// Shows the list in the program's text window and returns when it is closed.
void ShowShoppingListToScreen(const Session &s);

// The menu command: the list is shown only when it was written.
void mnuShoppingList_Click(const Session &s);

}  // namespace mostarium
