#include "platform/qt_platform.h"
