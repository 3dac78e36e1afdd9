#include "ViewRefresh.h"

#include "act/ActObjects.h"
#include "shell/ErrorReport.h"

namespace {

void refresh(act::Views& views, int kind, const QString& procedure) {
    Procedure proc(QStringLiteral("frmMain"), procedure);
    proc.run([&] {
        proc.line(1);
        const std::unique_ptr<act::View> view =
            views.FindExplorerView(QStringLiteral("Daywise"), kind);
        proc.line(2);
        if (views.GetLastError() == 0 && view)
            view->Refresh();
    });
}

} // namespace

void UpdateTab(act::Views& views) {
    refresh(views, act::ViewKind::Tab, QStringLiteral("UpdateTab"));
}

void UpdateView(act::Views& views) {
    refresh(views, act::ViewKind::ViewBar, QStringLiteral("UpdateView"));
}
