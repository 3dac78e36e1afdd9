#include "Cleanup.h"

#include "act/ActSession.h"

#include <exception>

void Cleanup(act::ActSession& session, bool releaseApplication, bool releaseDatabase) {
    if (releaseDatabase && session.database) {
        try {
            session.database->Close();
        } catch (const std::exception&) {
        }
        session.database.reset();
    }
    if (releaseApplication)
        session.application.reset();
}
