#include "Session.h"

#include <algorithm>

namespace mostarium {

Session::Session() : m_signals(std::make_unique<SessionSignals>()) {}

Session::~Session() = default;

Session::Session(const Session &other)
    : recipe(other.recipe), app(other.app), view(other.view), m_signals(std::make_unique<SessionSignals>())
{}

Session &Session::operator=(const Session &other)
{
    if (this == &other)
        return *this;
    recipe = other.recipe;
    app = other.app;
    // The revision only moves forward, so a window never takes the new
    // contents for the ones it shows.
    const auto revision = view.revision;
    view = other.view;
    view.revision = std::max(revision, other.view.revision) + 1;
    emit m_signals->recipeChanged();
    emit m_signals->appChanged();
    emit m_signals->viewChanged();
    return *this;
}

void Session::viewChanged()
{
    ++view.revision;
    emit m_signals->viewChanged();
}

Session &session()
{
    static Session s;
    return s;
}

}  // namespace mostarium
