#pragma once

#include <QString>

// The program's identity: its title names the settings store and every message box.
namespace app {

inline const QString Title = QStringLiteral("Daywise");
inline constexpr int VersionMajor = 2;
inline constexpr int VersionMinor = 0;
inline constexpr int VersionRevision = 131;

inline QString versionText() {
    return QStringLiteral("%1.%2.%3").arg(VersionMajor).arg(VersionMinor).arg(VersionRevision);
}

inline const QString SupportEmail = QStringLiteral("support@daywise.example.com");
inline const QString WebAddress = QStringLiteral("https://www.daywise.example.com/");
inline const QString HelpBaseAddress = QStringLiteral("https://www.daywise.example.com/help/");

} // namespace app
