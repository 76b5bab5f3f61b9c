#pragma once

#include "core/Session.h"

namespace mostarium::test {

// A shipped sample recipe, read and recalculated as opening it leaves it.
Session recalculatedSample(const QString &name);

}  // namespace mostarium::test
