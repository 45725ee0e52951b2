#pragma once
// The program's title and version as the windows show them.
#include <QString>

namespace dravenor {

inline QString appTitle() { return QStringLiteral("Dravenor"); }
inline QString appVersion() { return QStringLiteral(DRAVENOR_VERSION); }
// "Dravenor version 0.1.0  (Profile Nesting Software)"
inline QString aboutFirstLine() { return appTitle() + " version " + appVersion() + "  (Profile Nesting Software)"; }

} // namespace dravenor
