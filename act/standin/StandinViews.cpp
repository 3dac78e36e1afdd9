#include "StandinViews.h"

#include "shell/RuntimeError.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace act::standin {

namespace {

constexpr int ViewNotFound = 1;

class StandinView : public View {
public:
    StandinView(ActHome home, QString description)
        : home_(std::move(home))
        , description_(std::move(description)) {}

    void Refresh() override {
        QFile log(home_.refreshLogPath());
        const QByteArray line =
            QStringLiteral("%1\t%2\n")
                .arg(QDateTime::currentDateTime().toString(Qt::ISODate), description_)
                .toUtf8();
        if (!log.open(QIODevice::Append) || log.write(line) != line.size())
            throw RuntimeError::fileAccess(home_.refreshLogPath());
    }

private:
    ActHome home_;
    QString description_;
};

} // namespace

StandinViews::StandinViews(ActHome home)
    : home_(std::move(home)) {}

QString StandinViews::controlFileName(const QString& name, int kind) {
    if (kind == ViewKind::Tab)
        return name + QStringLiteral("-tab.ctl");
    if (kind == ViewKind::ViewBar)
        return name + QStringLiteral("-viewbar.ctl");
    return {};
}

std::unique_ptr<View> StandinViews::FindExplorerView(const QString& name, int kind) {
    const QString file = controlFileName(name, kind);
    if (file.isEmpty() || !home_.isRunning() ||
        !QFileInfo::exists(home_.netLinksPath() + QLatin1Char('/') + file)) {
        lastError_ = ViewNotFound;
        return nullptr;
    }
    lastError_ = 0;
    return std::make_unique<StandinView>(home_, file);
}

} // namespace act::standin
