#pragma once
// Our stand-in for the system registry: a small key-value store in an INI
// file beside the program ("registry.ini"). A section names a key by its full
// path, root included, with backslashes; its lines are "name=value":
//
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Shared Tools\MSINFO]
//   PATH=/usr/bin/hardinfo
//
// Key paths and value names compare without regard to letter case. A value
// written "dword:0000001a" is a number and reads as its decimal text; any
// other value is text. Lines starting with ";" or "#" are comments.
#include <QString>

namespace Registry {

// The root keys by their usual handle values.
enum Root : unsigned int {
    HKEY_CLASSES_ROOT = 0x80000000u,
    HKEY_CURRENT_USER = 0x80000001u,
    HKEY_LOCAL_MACHINE = 0x80000002u,
    HKEY_USERS = 0x80000003u,
};

// The file the store is read from (beside the program).
QString storeFile();

// Reads one value. True with the value when found; false (the value emptied)
// when the key or value is missing or the value is longer than the 1024 bytes
// a read can take.
bool readValue(unsigned int root, const QString& keyPath, const QString& valueName, QString& value);

} // namespace Registry
