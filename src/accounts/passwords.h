#pragma once

#include <QString>

// How an account's password is kept: never as typed, but as a salted, deliberately slow
// Argon2id hash (libsodium's text form, "$argon2id$..."), of the password folded to one
// case, so that a password is still accepted in any case. A password still held as typed
// (the installation's account, one written by hand or brought from an older file) is
// accepted as the engines compared it, without regard to case, until the login replaces
// it by its hash.
namespace passwords {

// The text the store keeps for a typed password. Throws Error when the machine lacks the
// memory the hash takes.
QString hash(const QString& typed);

// Whether a stored password is a hash made by hash(), not the password itself.
bool isHashed(const QString& stored);

// Whether a typed password opens an account whose stored password is `stored` (hashed or
// not). A hash this program did not make opens nothing.
bool matches(const QString& stored, const QString& typed);

} // namespace passwords
