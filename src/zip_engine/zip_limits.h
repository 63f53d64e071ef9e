#pragma once

#include <QtGlobal>

// The most files one package can hold: minizip 1.1 records a wrong entry count in an archive
// of more, which readers reject.
inline constexpr qsizetype MaxPackageFiles = 65535;
