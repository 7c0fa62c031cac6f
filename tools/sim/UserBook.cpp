#include "UserBook.h"

#include <fstream>
#include <sstream>

UserBook::UserBook() {
    SimUser demo;
    demo.id = "demo";
    demo.password = "demo123";
    demo.account = "DEMO001";
    m_users[demo.id] = demo;
}

const std::vector<std::pair<std::string, std::string>>& UserBook::Questions() {
    static const std::vector<std::pair<std::string, std::string>> kQuestions = {
        {"1", "What is the name of your first school?"},
        {"2", "In which city were you born?"},
        {"3", "What was the name of your first pet?"},
    };
    return kQuestions;
}

SimUser* UserBook::Find(const std::string& id) {
    auto it = m_users.find(id);
    return it == m_users.end() ? nullptr : &it->second;
}

namespace {

bool IsYes(const std::string& v) {
    return v == "1" || v == "yes" || v == "true" || v == "on";
}

}  // namespace

bool UserBook::Load(const std::string& path, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot read users file " + path;
        return false;
    }
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const size_t hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::string id;
        if (!(words >> id)) continue;
        SimUser user;
        user.id = id;
        std::string word;
        while (words >> word) {
            const size_t eq = word.find('=');
            const std::string key = word.substr(0, eq);
            const std::string value = eq == std::string::npos ? std::string() : word.substr(eq + 1);
            if (eq == std::string::npos) {
                // NOLINTNEXTLINE(performance-inefficient-string-concatenation): once, for a bad users file
                error = path + ":" + std::to_string(number) + ": expected key=value, got '" + word + "'";
                return false;
            }
            if (key == "password") {
                user.password = value;
            } else if (key == "account") {
                user.account = value;
            } else if (key == "verify") {
                user.needVerify = IsYes(value);
            } else if (key == "qa") {  // qa=1:answer,3:answer
                std::istringstream pairs(value);
                std::string pair;
                while (std::getline(pairs, pair, ',')) {
                    const size_t colon = pair.find(':');
                    if (colon == std::string::npos || colon == 0) {
                        error = path + ":" + std::to_string(number) + ": qa needs id:answer pairs";
                        return false;
                    }
                    user.answers[pair.substr(0, colon)] = pair.substr(colon + 1);
                }
            } else if (key == "code") {
                user.verifyCode = value;
            } else if (key == "stock") {
                user.stockPermission = value;
            } else if (key == "derivate") {
                user.derivatePermission = value;
            } else if (key == "market") {
                user.market = IsYes(value);
            } else if (key == "broker") {
                user.broker = value;
            } else {
                // NOLINTNEXTLINE(performance-inefficient-string-concatenation): once, for a bad users file
                error = path + ":" + std::to_string(number) + ": unknown key '" + key + "'";
                return false;
            }
        }
        if (user.password.empty() || user.account.empty()) {
            // NOLINTNEXTLINE(performance-inefficient-string-concatenation): once, for a bad users file
            error = path + ":" + std::to_string(number) + ": user " + id + " needs password= and account=";
            return false;
        }
        m_users[id] = user;
    }
    return true;
}
