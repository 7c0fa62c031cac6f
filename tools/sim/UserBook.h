#pragma once

#include <map>
#include <string>
#include <vector>

// One user the simulator accepts.
struct SimUser {
    std::string id;
    std::string password;
    std::string account;
    bool needVerify = false;                     // the login asks for security verification first
    std::map<std::string, std::string> answers;  // security question id -> answer (empty: none set)
    std::string verifyCode = "123456";           // the code "RequVfCd" hands out
    std::string stockPermission = "OK";          // "BAD_USER" denies stock quotes
    std::string derivatePermission = "OK";       // "BAD_USER" denies derivatives quotes
    bool market = true;                          // false: the market login is refused (10012)
    std::string broker;                          // market broker id required at login (empty: any)
};

// The users: the built-in demo user and those of the users file.
class UserBook {
public:
    UserBook();  // holds the demo user "demo" / "demo123", account "DEMO001"

    // Reads a users file (format in tools/sim/README.md). False with `error` naming the line.
    bool Load(const std::string& path, std::string& error);

    SimUser* Find(const std::string& id);
    // The security questions the server offers: id -> text.
    static const std::vector<std::pair<std::string, std::string>>& Questions();

private:
    std::map<std::string, SimUser> m_users;
};
