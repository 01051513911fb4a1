#pragma once
// Passwords are stored as Argon2id hash strings. A password stored in plain text (from an
// older database) is still recognised, so it can be checked once and then replaced by its hash.

#include <QString>

QString hashPassword(const QString& password);
bool isPasswordHash(const QString& stored);
// Exact comparison, letter case included; an empty stored plain text matches an empty password.
bool verifyPassword(const QString& stored, const QString& typed);
