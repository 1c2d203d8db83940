#pragma once

#include <QByteArray>
#include <QString>

// A password as PostgreSQL stores it for scram-sha-256 logins: "SCRAM-SHA-256$<iterations>:<salt>
// $<StoredKey>:<ServerKey>" (RFC 5802/7677). A statement that sets a password sends this verifier
// instead of the password, so the password itself never reaches the server or its log.
namespace data {

// The verifier of password with a fresh random 16-byte salt and 4096 iterations (the server's
// default).
QString scramVerifier(const QString& password);

// The same with the salt and the iteration count given (for tests against known verifiers).
QString scramVerifier(const QString& password, const QByteArray& salt, int iterations);

}  // namespace data
