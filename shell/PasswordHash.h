#pragma once
// Stored passwords: a salted PBKDF2-SHA256 hash, never the clear text.
// The stored form is "pbkdf2-sha256$<iterations>$<salt>$<hash>" (salt and
// hash in base64), so the iteration count can grow without breaking rows
// already written.
#include <QByteArray>
#include <QString>

// The longest password, in characters: the add-user and change-password
// boxes store at most this many, and the login box takes as many.
constexpr int PasswordMaxLength = 8;

namespace PasswordHash {

// The stored form of a password (a fresh random salt each time).
QString make(const QString& password);
// Whether a stored value is a hash of ours (otherwise it is an old clear text).
bool isHash(const QString& stored);
// Whether the password matches a stored hash. False for a value that is not a
// hash of ours.
bool verify(const QString& password, const QString& stored);

// PBKDF2 with HMAC-SHA256.
QByteArray pbkdf2Sha256(const QByteArray& password, const QByteArray& salt, int iterations, int length);

} // namespace PasswordHash
