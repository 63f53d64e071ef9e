#include "platform/file_info.h"
// Placeholder until the file layer is implemented.
namespace FileInfo {
bool ReadAttributes(const QString&, int&) { return false; }
bool FileExists(const QString&) { return false; }
}
