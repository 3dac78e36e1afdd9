#pragma once

namespace act {
struct ActSession;
}

// Releases the ACT! connection: the application with the first switch, the database (closed
// first) with the second. Errors are ignored: the program is on its way out.
void Cleanup(act::ActSession& session, bool releaseApplication, bool releaseDatabase);
