#include "Session.h"

namespace mostarium {

Session &session()
{
    static Session s;
    return s;
}

} // namespace mostarium
