#pragma once

#include <QString>
#include <vector>

// Files that replace their old versions together: each new one is written beside its final
// name, and only when all are written are they renamed into place. When a rename fails, the
// files already replaced get their old versions back, so the folder holds either every new
// file or every old one. Failures throw RuntimeError naming the file.
class StagedFiles {
public:
    StagedFiles() = default;
    ~StagedFiles(); // removes the new files that were not put in place
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;

    // Where to write the new version of the file at `path`.
    QString stage(const QString& path);
    void commit();

private:
    struct File {
        QString path;
        QString staged;
        QString backup; // empty while there is none
    };

    void keepOld(File& file);
    void restore(const File& file);
    void removeLeftovers();

    std::vector<File> files_;
};
