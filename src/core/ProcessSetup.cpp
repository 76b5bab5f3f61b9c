#include "ProcessSetup.h"

#include <csignal>

namespace mostarium {

void prepareProcess() { std::signal(SIGXFSZ, SIG_IGN); }

}  // namespace mostarium
