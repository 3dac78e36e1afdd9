#include "frmAbout.h"

#include "AppInfo.h"
#include "StringTable.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent)
    , lblVersion(new QLabel(QStringLiteral("v. ") + app::versionText(), this)) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(str(Caption::AboutMenu).remove(QLatin1Char('&')));
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    auto* name = new QLabel(app::Title, this);
    QFont big = name->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    name->setFont(big);
    auto* address = new QLabel(app::WebAddress, this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    for (QLabel* label : {name, lblVersion, address}) {
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
    layout->addWidget(buttons);
}
