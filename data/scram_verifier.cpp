#include "data/scram_verifier.h"

#include <QCryptographicHash>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>

namespace data {

namespace {

QByteArray hmac(const QByteArray& key, const QByteArray& message) {
    return QMessageAuthenticationCode::hash(message, key, QCryptographicHash::Sha256);
}

// PBKDF2-HMAC-SHA-256 with one block: SCRAM's salted password is exactly one hash long.
QByteArray saltedPassword(const QByteArray& password, const QByteArray& salt, int iterations) {
    QByteArray u = hmac(password, salt + QByteArray("\x00\x00\x00\x01", 4));
    QByteArray result = u;
    for (int i = 1; i < iterations; ++i) {
        u = hmac(password, u);
        for (qsizetype j = 0; j < result.size(); ++j)
            result[j] = char(result[j] ^ u[j]);
    }
    return result;
}

}  // namespace

QString scramVerifier(const QString& password, const QByteArray& salt, int iterations) {
    // The server prepares the password with SASLprep; for the passwords people type that is
    // the compatibility normalisation.
    const QByteArray prepared = password.normalized(QString::NormalizationForm_KC).toUtf8();
    const QByteArray salted = saltedPassword(prepared, salt, iterations);
    const QByteArray storedKey =
        QCryptographicHash::hash(hmac(salted, "Client Key"), QCryptographicHash::Sha256);
    const QByteArray serverKey = hmac(salted, "Server Key");
    return QStringLiteral("SCRAM-SHA-256$%1:%2$%3:%4")
        .arg(iterations)
        .arg(QString::fromLatin1(salt.toBase64()), QString::fromLatin1(storedKey.toBase64()),
             QString::fromLatin1(serverKey.toBase64()));
}

QString scramVerifier(const QString& password) {
    QByteArray salt(16, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(salt.data()), 4);
    return scramVerifier(password, salt, 4096);
}

}  // namespace data
