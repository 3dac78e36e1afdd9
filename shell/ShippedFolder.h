#pragma once

#include <QString>

// The folder of the files shipped with the program: html/ with the page, its style sheet and
// icons, and the pictures ACT! shows for Daywise. It is the program's own folder in the build
// tree or a copied program folder, and share/daywise in an installed tree, found beside the
// program's bin/ or in the system's data folders. Empty when there is none.
QString shippedFolder();

// True when `folder` has the shipped page in its html/.
bool holdsShippedPage(const QString& folder);

// The page file, in html/ of the shipped folder and in the folder Daywise writes to.
inline const QString PageFileName = QStringLiteral("Daywise.htm");
