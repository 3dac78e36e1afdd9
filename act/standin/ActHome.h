#pragma once

#include <QString>

namespace act::standin {

// ACT!'s program folder as the stand-in keeps it: NetLinks/, the aux commands and their
// placements, the log of view refreshes, and the session file whose presence means ACT!
// runs and whose text is the path of the database it has open.
class ActHome {
public:
    // The folder named by $DAYWISE_ACT_HOME, else $XDG_DATA_HOME/Daywise/act.
    ActHome();
    explicit ActHome(const QString& path);

    static QString defaultPath();

    QString path() const { return path_; }
    QString netLinksPath() const;
    QString sessionFilePath() const;
    QString refreshLogPath() const;
    QString auxCommandsPath() const;
    // While this file exists, every change of aux commands fails (for tests).
    QString auxFailurePath() const;

    // ACT! starts (or switches) with dbPath open. Throws RuntimeError when dbPath is not a
    // stand-in database or the home cannot be written.
    void open(const QString& dbPath) const;
    // The ACT! user closes ACT!. Throws RuntimeError when ACT! cannot be closed.
    void close() const;
    bool isRunning() const;
    QString openDatabasePath() const; // empty when ACT! does not run
    int refreshCount() const;

private:
    QString path_;
};

// The shell "open" of a stand-in database file: ACT! (re)starts on it in the default home.
// Returns false, with the reason in *error when given, when the file cannot be opened.
bool openDatabaseInActHome(const QString& dbPath, QString* error = nullptr);

// Whether the file is one for the stand-in ACT! to open, told by its content whatever its
// name: an SQLite database. Whether it is a stand-in database, opening it says.
bool isDatabaseFile(const QString& path);

} // namespace act::standin
