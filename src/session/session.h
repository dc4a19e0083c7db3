#pragma once

#include <QString>

class TDTM;
class TFRMmenu;

// The session context every window reads: what the login window and its login query
// hold, read at the moment of asking. There is no second copy.
class Session {
public:
    Session(const TFRMmenu* login, const TDTM* dtm)
        : m_login(login)
        , m_dtm(dtm) {}

    QString year() const;        // the management year typed or chosen at login
    QString kind() const;        // "MN" or "EX", from the account
    QString loginName() const;   // as typed at login
    QString accountKind() const; // the account's own kind field
    int userType() const;        // 1 to 4; 0 when the account's type is not a number
    QString unitCode() const;    // the account's organisational node

    // The names of the account's unit in the session year; empty when it names no unit.
    QString viceministryName() const;
    QString directorateName() const;
    QString unitName() const;
    QString unitProgramme() const;

private:
    QString unitField(const char* field) const;

    const TFRMmenu* m_login;
    const TDTM* m_dtm;
};
