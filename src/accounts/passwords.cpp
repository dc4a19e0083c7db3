#include "passwords.h"

#include "core/error.h"

#include <sodium.h>

namespace {

// Argon2id with 19 MiB of memory and two passes: the least the current advice for
// passwords allows, and a few tens of milliseconds on an office's machine, so that a login
// stays quick and a stolen table still costs an attacker that much for every guess of
// every account.
constexpr unsigned long long passes = 2;
constexpr size_t memory = 19u * 1024u * 1024u;

void ready() {
    static const int initialised = sodium_init();
    if (initialised < 0)
        throw Error(QStringLiteral("No se pudo preparar el cifrado de contraseñas"));
}

QByteArray folded(const QString& typed) {
    return typed.toCaseFolded().toUtf8();
}

} // namespace

namespace passwords {

QString hash(const QString& typed) {
    ready();
    const QByteArray text = folded(typed);
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(out, text.constData(), size_t(text.size()), passes, memory,
                              crypto_pwhash_ALG_ARGON2ID13) != 0)
        throw Error(QStringLiteral("No hay memoria para cifrar la contraseña"));
    return QString::fromLatin1(out);
}

bool isHashed(const QString& stored) {
    return stored.startsWith(QLatin1String("$argon2id$"));
}

bool matches(const QString& stored, const QString& typed) {
    if (!isHashed(stored))
        return QString::compare(stored, typed, Qt::CaseInsensitive) == 0;
    ready();
    const QByteArray hashed = stored.toLatin1();
    const QByteArray text = folded(typed);
    return crypto_pwhash_str_verify(hashed.constData(), text.constData(), size_t(text.size())) == 0;
}

} // namespace passwords
