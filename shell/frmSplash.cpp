#include "frmSplash.h"

#include "AppInfo.h"
#include "ProgramState.h"
#include "StringTable.h"

#include <QLabel>
#include <QVBoxLayout>

frmSplash::frmSplash()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
    , Label1(new QLabel(this)) {
    setObjectName(QStringLiteral("frmSplash"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    auto* title = new QLabel(app::Title, this);
    QFont big = title->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 30, 40, 30);
    layout->addWidget(title);
    layout->addWidget(Label1);
    Form_Load();
}

void frmSplash::Form_Load() {
    applyStoredLanguage();
    Label1->setText(str(Caption::LoadingPleaseWait));
}
