#pragma once

#include "ActObjects.h"

namespace act {

// User n (1-based) takes part in Daywise's user choices and colours: users with Access 2
// or 3, or with Security 1, are left out everywhere.
inline bool isListableUser(const Users& users, int n) {
    const int access = users.Access(n);
    return access != 2 && access != 3 && users.Security(n) != 1;
}

} // namespace act
