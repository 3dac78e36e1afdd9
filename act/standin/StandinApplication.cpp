#include "StandinApplication.h"

#include "StandinAuxCommands.h"
#include "StandinDatabase.h"
#include "shell/RuntimeError.h"

#include <QFileInfo>

namespace act::standin {

StandinApplication::StandinApplication(ActHome home)
    : home_(std::move(home))
    , views_(home_) {}

void StandinApplication::OpenFile(const QString& path) {
    if (!path.isEmpty())
        home_.open(path);
}

bool StandinApplication::IsDBOpen() const {
    const QString path = home_.openDatabasePath();
    return !path.isEmpty() && QFileInfo(path).isFile();
}

QString StandinApplication::GetAppPath() const {
    return home_.path();
}

void StandinApplication::Command(int number) {
    if (number != CloseActCommand)
        throw RuntimeError(5, QStringLiteral("Invalid procedure call or argument"));
    home_.close();
}

std::unique_ptr<Database> StandinApplication::database() {
    return std::make_unique<StandinDatabase>(home_);
}

std::unique_ptr<AuxCommands> StandinApplication::auxCommands() {
    return std::make_unique<StandinAuxCommands>(home_);
}

} // namespace act::standin
