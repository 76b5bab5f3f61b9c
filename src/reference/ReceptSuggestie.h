#pragma once

#include <QString>
#include <functional>

namespace mostarium {

// What the style database's Open Recept needs of the main window. The window
// layer hands it in when it wires the commands, so that the reference library
// does not depend on the main window.
struct ReceptSuggestieSteps {
    // The save prompt for a changed recipe: false stops the command.
    std::function<bool()> vraagOpslaan;
    // Opens the scratch recipe file as a new, never saved recipe named after
    // the style (no file name, no recent-files entry) and recalculates it.
    std::function<void(const QString &path, const QString &style)> openAsNew;
};

void setReceptSuggestieSteps(ReceptSuggestieSteps steps);
const ReceptSuggestieSteps &receptSuggestieSteps();

}  // namespace mostarium
