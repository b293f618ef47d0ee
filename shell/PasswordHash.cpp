#include "shell/PasswordHash.h"

#include <QCryptographicHash>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QStringList>

namespace PasswordHash {

namespace {

const QString Scheme = QStringLiteral("pbkdf2-sha256");
constexpr int Iterations = 120000;
constexpr int SaltBytes = 16;
constexpr int HashBytes = 32;

// Compares without stopping at the first difference.
bool sameBytes(const QByteArray& a, const QByteArray& b)
{
    if (a.size() != b.size())
        return false;
    unsigned char diff = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diff == 0;
}

struct Parsed {
    int iterations = 0;
    QByteArray salt;
    QByteArray hash;
};

bool parse(const QString& stored, Parsed& out)
{
    const QStringList parts = stored.split(u'$');
    if (parts.size() != 4 || parts[0] != Scheme)
        return false;
    bool ok = false;
    out.iterations = parts[1].toInt(&ok);
    if (!ok || out.iterations < 1)
        return false;
    out.salt = QByteArray::fromBase64(parts[2].toLatin1());
    out.hash = QByteArray::fromBase64(parts[3].toLatin1());
    return !out.salt.isEmpty() && !out.hash.isEmpty();
}

} // namespace

QByteArray pbkdf2Sha256(const QByteArray& password, const QByteArray& salt, int iterations, int length)
{
    QMessageAuthenticationCode mac(QCryptographicHash::Sha256, password);
    QByteArray out;
    for (quint32 block = 1; out.size() < length; ++block) {
        QByteArray counter(4, '\0');
        counter[0] = char(block >> 24);
        counter[1] = char(block >> 16);
        counter[2] = char(block >> 8);
        counter[3] = char(block);
        mac.reset();
        mac.addData(salt);
        mac.addData(counter);
        QByteArray u = mac.result();
        QByteArray t = u;
        for (int i = 1; i < iterations; ++i) {
            mac.reset();
            mac.addData(u);
            u = mac.result();
            for (qsizetype j = 0; j < t.size(); ++j)
                t[j] = char(t[j] ^ u[j]);
        }
        out += t;
    }
    return out.left(length);
}

QString make(const QString& password)
{
    QByteArray salt(SaltBytes, '\0');
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(salt.data()), SaltBytes / 4);
    const QByteArray hash = pbkdf2Sha256(password.toUtf8(), salt, Iterations, HashBytes);
    return Scheme + u'$' + QString::number(Iterations) + u'$' + QString::fromLatin1(salt.toBase64()) + u'$'
        + QString::fromLatin1(hash.toBase64());
}

bool isHash(const QString& stored)
{
    Parsed p;
    return parse(stored, p);
}

bool verify(const QString& password, const QString& stored)
{
    Parsed p;
    if (!parse(stored, p))
        return false;
    return sameBytes(pbkdf2Sha256(password.toUtf8(), p.salt, p.iterations, int(p.hash.size())), p.hash);
}

} // namespace PasswordHash
